#pragma once

// What POSIX code that looks at files shares with the POSIX branch of
// RegularFile.

#include "files/RegularFile.h"

#include <sys/types.h>

namespace lapidor {

FileKind fileKind(mode_t mode);

// That a call failed with this errno, taken at once, before anything else
// can change it. Its words are in English whatever the user's locale, for
// lines on stderr; an interface may word the code in the user's language.
FileProblem systemProblem(int error);

} // namespace lapidor
