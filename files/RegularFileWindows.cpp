// Regular files on Windows. (To be written: CreateFileW and
// GetFileInformationByHandle, mirroring RegularFilePosix.cpp.)
#include "files/RegularFile.h"
#error "the Windows branch of files/RegularFile is not written yet"
