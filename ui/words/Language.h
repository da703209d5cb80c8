#pragma once

namespace lapidor {

// Whom a text is for: the player, in his language, or a line on stderr,
// which stays in English.
enum class Language { User, English };

} // namespace lapidor
