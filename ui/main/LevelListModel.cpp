#include "ui/main/LevelListModel.h"

#include "text/ShownText.h"

namespace lapidor {

QString shownLevelText(std::string_view bytes, TextEncoding encoding)
{
    // Only as many bytes as can make the characters shown, and one more.
    const auto enough = bytes.substr(0, (longestShownText + 1) * 4);
    return QString::fromStdString(cutShort(toUtf8(enough, encoding)));
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
