#pragma once

namespace lapidor {

// The reverse-domain id shared by the desktop entry, the metainfo and the icon.
inline constexpr const char* desktopId = "org.example.Lapidor";

// Names the running program for the desktop: its name, version, desktop
// entry and window icon. Called once the application object exists.
void identifyApplication();

} // namespace lapidor
