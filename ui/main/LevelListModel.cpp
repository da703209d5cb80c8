#include "ui/main/LevelListModel.h"

namespace lapidor {

namespace {
constexpr qsizetype longestShown = 1000;
constexpr std::size_t longestCharacter = 4; // bytes of UTF-8
} // namespace

QString shownText(QString text)
{
    if (text.size() > longestShown) {
        // Never between the two halves of a character beyond the basic plane.
        text.truncate(text.at(longestShown - 1).isHighSurrogate() ? longestShown - 1 : longestShown);
        text += QChar(0x2026);
    }
    return text;
}

QString shownLevelText(std::string_view bytes, TextEncoding encoding)
{
    // Only as many bytes as can make the characters shown, and one more.
    const auto enough = bytes.substr(0, (longestShown + 1) * longestCharacter);
    return shownText(QString::fromStdString(toUtf8(enough, encoding)));
}

LevelListModel::LevelListModel(Column column, QObject* parent)
    : QAbstractListModel(parent)
    , column_(column)
{
}

void LevelListModel::showTable(const LevelTable* table)
{
    beginResetModel();
    table_ = table;
    endResetModel();
}

std::string_view LevelListModel::text(int row) const
{
    return column_ == Column::Labels ? table_->label(row) : table_->threshold(row);
}

int LevelListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !table_)
        return 0;
    return int(column_ == Column::Labels ? table_->labels.size() : table_->thresholds.size());
}

QVariant LevelListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !table_ || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return shownLevelText(text(index.row()), table_->encoding);
}

Qt::ItemFlags LevelListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

} // namespace lapidor
