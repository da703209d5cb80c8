#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lapidor {

void installTranslations(QCoreApplication& application)
{
    const QLocale locale;
    auto* own = new QTranslator(&application);
    if (!own->load(locale, QStringLiteral("lapidor"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete own;
        return;
    }
    QCoreApplication::installTranslator(own);
    // Qt's words only with Lapidor's own, so that a window never mixes two languages.
    auto* qt = new QTranslator(&application);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

} // namespace lapidor
