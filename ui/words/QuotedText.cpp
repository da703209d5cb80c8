#include "ui/words/QuotedText.h"

#include "text/ShownText.h"

#include <QCoreApplication>

namespace lapidor {

QString quotedOutsideText(std::string_view utf8)
{
    return QCoreApplication::translate("lapidor::QuotedText", "\"%1\"",
                                       "quotation marks around a value quoted from levels.txt or an entry field")
        .arg(QString::fromStdString(quotableText(utf8)));
}

} // namespace lapidor
