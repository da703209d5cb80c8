#pragma once

#include <QString>

namespace lapidor {

// Where the per-user settings file lives on Linux, or why there is no such
// place.
struct SettingsLocation {
    QString file;    // empty when there is none
    QString problem; // why there is none, in plain words; empty when there is one
};

// The place the XDG base-directory rules give: Lapidor/Lapidor.conf under
// $XDG_CONFIG_HOME when that is an absolute path, whatever HOME holds;
// otherwise under $HOME/.config when HOME is an absolute path. A relative
// or empty XDG_CONFIG_HOME is ignored. With neither there is no place, and
// a folder name that Qt's file names cannot carry unchanged (one that is
// not valid UTF-8) gives none either, rather than a look-alike folder. The
// variables are read as the bytes the environment holds.
SettingsLocation userSettingsLocation();

} // namespace lapidor
