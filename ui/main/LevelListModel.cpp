#include "ui/main/LevelListModel.h"

namespace lapidor {

namespace {
constexpr qsizetype longestShown = 1000;
constexpr std::size_t longestCharacter = 4; // bytes of UTF-8
} // namespace

QString shownText(QString text)
{
    if (text.size() > longestShown) {
        text.truncate(longestShown);
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

const std::vector<std::string>* LevelListModel::list() const
{
    if (!table_)
        return nullptr;
    return column_ == Column::Labels ? &table_->labels : &table_->thresholds;
}

int LevelListModel::rowCount(const QModelIndex& parent) const
{
    const auto* rows = list();
    return parent.isValid() || !rows ? 0 : int(rows->size());
}

QVariant LevelListModel::data(const QModelIndex& index, int role) const
{
    const auto* rows = list();
    if (role != Qt::DisplayRole || !rows || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return shownLevelText((*rows)[std::size_t(index.row())], table_->encoding);
}

Qt::ItemFlags LevelListModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags;
}

} // namespace lapidor
