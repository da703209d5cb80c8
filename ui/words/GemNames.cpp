#include "ui/words/GemNames.h"

#include <QCoreApplication>

#include <array>

namespace lapidor {

namespace {

// In gem catalogue order: the twelve rough stones, then the twelve finely cut.
constexpr std::array<const char*, 24> names = {
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Agate"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Amethyst"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Aquamarine"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Carnelian"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Diamond"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Emerald"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Garnet"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Limestone"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Malachite"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Moonstone"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Ruby"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Rough Sapphire"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Agate"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Amethyst"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Aquamarine"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Carnelian"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Diamond"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Emerald"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Garnet"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Limestone"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Malachite"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Moonstone"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Ruby"),
    QT_TRANSLATE_NOOP("lapidor::GemNames", "Finely Cut Sapphire"),
};

} // namespace

QString gemName(std::size_t gem)
{
    return QCoreApplication::translate("lapidor::GemNames", names.at(gem));
}

QString gemCaption(std::size_t gem)
{
    return fieldCaption(gemName(gem));
}

QString fieldCaption(const QString& name)
{
    //: A caption beside its field: the field's name and a colon.
    return QCoreApplication::translate("lapidor::GemNames", "%1:").arg(name);
}

} // namespace lapidor
