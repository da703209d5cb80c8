#include "app/ErrorLine.h"

#include "text/TerminalLine.h"

#include <QtGlobal>

namespace lapidor {

void writeErrorLine(std::string_view bytes)
{
    qWarning("%s", terminalLine(bytes).c_str());
}

} // namespace lapidor
