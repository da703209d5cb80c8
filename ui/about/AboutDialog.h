#pragma once

#include <QDialog>

class QPushButton;

namespace lapidor {

// Names the program and its author and links to a fan web site. Opened
// modal over the main window; OK, Enter, Escape and the close box close it.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* owner);

    // Shows the dialog modal, centred over its owner with the focus on OK,
    // and returns once it has closed.
    void showModal();

private:
    void addLabels();
    void addSeparator();
    void openLink();

    QPushButton* okButton_;
};

} // namespace lapidor
