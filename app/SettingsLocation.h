#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace lapidor {

// Where the per-user settings file lives on Linux, or why there is no such
// place.
struct SettingsLocation {
    std::filesystem::path folder; // the settings base, which holds Lapidor/Lapidor.conf
    std::filesystem::path file;   // empty when there is none
    std::string problem;          // why there is none, in English, for a line on stderr
};

// The place the XDG base-directory rules give: Lapidor/Lapidor.conf under
// $XDG_CONFIG_HOME when that is an absolute path, whatever HOME holds;
// otherwise under $HOME/.config when HOME is an absolute path. A relative
// or empty XDG_CONFIG_HOME is ignored. With neither there is no place, and
// a folder name that is not valid UTF-8 gives none either, rather than a
// place whose name no one can read. The variables are read as the bytes
// the environment holds.
SettingsLocation userSettingsLocation();

// The settings file under a settings base that only the given user can
// have put there, or why there is none. The user must own every folder
// from the base down to the file, every symlink followed on the way, the
// folder that holds the file, and the file itself when there is one; a
// symlink leads on to wherever it points. With MakeFolders::Yes missing
// folders are made (mode 0700), each only inside a folder that passed, so
// nothing is ever made in another user's folder.
enum class MakeFolders { No, Yes };
struct SettingsFile {
    std::filesystem::path file; // at the end of its symlinks; empty when there is none
    std::string problem;        // why there is none, in English
};
SettingsFile settingsFileUnder(const std::filesystem::path& folder, uid_t user, MakeFolders make);

// What stands at a path, for a sentence: "a folder", "a symbolic link".
std::string whatStandsThere(mode_t mode);

} // namespace lapidor
