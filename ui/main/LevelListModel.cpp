#include "ui/main/LevelListModel.h"

#include "text/ShownText.h"

namespace lapidor {

QString shownLevelText(std::string_view bytes, TextEncoding encoding)
{
    // Only as many bytes as can make the characters shown, and one more:
    // a character takes at most four bytes.
    const auto enough = bytes.substr(0, (longestShownText + 1) * 4);
    return QString::fromStdString(singleLineText(toUtf8(enough, encoding)));
}

LevelListModel::LevelListModel(Column column, QObject* parent)
    : QAbstractListModel(parent)
    , column_(column)
{
}

void LevelListModel::showTable(std::shared_ptr<const LevelLookup> levels)
{
    beginResetModel();
    levels_ = std::move(levels);
    endResetModel();
}

std::string_view LevelListModel::text(int row) const
{
    const auto& table = levels_->table();
    return column_ == Column::Labels ? table.label(row) : table.threshold(row);
}

int LevelListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !levels_)
        return 0;
    const auto& table = levels_->table();
    return int(column_ == Column::Labels ? table.labelCount() : table.thresholdCount());
}

QVariant LevelListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !levels_ || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return shownLevelText(text(index.row()), levels_->table().encoding());
}

Qt::ItemFlags LevelListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

} // namespace lapidor
