#pragma once

#include "calc/LevelLookup.h"

#include <QAbstractListModel>

#include <memory>

namespace lapidor {

// One list of the level table (the labels or the thresholds) for a list
// view, read-only. Rows are decoded from the file's bytes only when the
// view asks for them; nothing is copied.
class LevelListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum class Column { Labels, Thresholds };

    LevelListModel(Column column, QObject* parent);

    // The table to show, which the model holds on to.
    void showTable(std::shared_ptr<const LevelLookup> levels);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::string_view text(int row) const;

    Column column_;
    std::shared_ptr<const LevelLookup> levels_;
};

// A text from the levels file as a list shows it on its row: one line with
// no bidi controls, and a text longer than anyone could read cut short, so
// that a freak file cannot stall the window laying out megabytes of one
// label.
QString shownLevelText(std::string_view bytes, TextEncoding encoding);

} // namespace lapidor
