#pragma once

#include <QColor>
#include <QGroupBox>

namespace lapidor {

// A frame whose caption is drawn in its own colour. Only the caption takes
// the colour: the controls inside keep theirs.
class TitledFrame : public QGroupBox {
    Q_OBJECT

public:
    TitledFrame(const QString& caption, const QColor& captionColour, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor captionColour_;
};

} // namespace lapidor
