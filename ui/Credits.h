#pragma once

#include <QString>

namespace lapidor {

// Who made Lapidor, shown in the main window's title and the About window.
inline const QString authorName = QStringLiteral("Edda Rowan");

// The fan web site the About window links to.
inline const QString webSiteAddress = QStringLiteral("https://varnhollow.example.org/");

} // namespace lapidor
