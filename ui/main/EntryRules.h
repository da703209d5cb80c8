#pragma once

#include <QString>

namespace lapidor {

// The text a field must hold after a change. The rules never reformat a
// text: they either keep it or replace it whole by one of a few fixed texts.

// A gem count: at most four characters; an emptied field shows "1".
QString clampGemCount(const QString& text);

// The current experience: at most 248292513235; an emptied field shows "0".
QString clampExperience(const QString& text);

// The current level: from 1 to 200.
QString clampLevel(const QString& text);

} // namespace lapidor
