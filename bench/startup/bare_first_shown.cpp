// A bare main window to compare start-up against: a menu bar, a status bar
// and about as many child widgets as the real one, with nothing to load.
// With --design-fonts its labels, fields, button and frames carry the bold
// fonts of Lapidor's design, so that only Lapidor's own work differs.
#include "bench/startup/FirstShown.h"
#include "ui/DesignFont.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool designFonts = QApplication::arguments().contains(QStringLiteral("--design-fonts"));
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
    for (const char* panel : {"Panel", "Date", "Time"})
        window.statusBar()->addWidget(new QLabel(QString::fromLatin1(panel)));

    auto* client = new QWidget;
    window.setCentralWidget(client);
    auto* grid = new QGroupBox(QStringLiteral("Grid"), client);
    grid->setGeometry(8, 8, 433, 361);
    for (int i = 0; i < 24; ++i) {
        const int x = i < 12 ? 8 : 216, y = 32 + 24 * (i % 12);
        (new QLabel(QStringLiteral("Label %1").arg(i), grid))->setGeometry(x, y, 110, 17);
        (new QLineEdit(QStringLiteral("0"), grid))->setGeometry(x + 120, y, 41, 19);
    }
    (new QPushButton(QStringLiteral("Button"), grid))->setGeometry(160, 328, 105, 17);
    auto* options = new QGroupBox(QStringLiteral("Options"), client);
    options->setGeometry(448, 8, 313, 73);
    for (int i = 0; i < 2; ++i) {
        (new QRadioButton(options))->setGeometry(8, 24 + 24 * i, 17, 17);
        (new QLabel(QStringLiteral("Option"), options))->setGeometry(32, 24 + 24 * i, 120, 17);
        (new QLineEdit(QStringLiteral("0"), options))->setGeometry(184, 24 + 24 * i, 121, 19);
    }
    auto* output = new QGroupBox(QStringLiteral("Output"), client);
    output->setGeometry(448, 88, 313, 177);
    for (int i = 0; i < 8; ++i)
        (new QLabel(QStringLiteral("Line %1: N/A").arg(i), output))->setGeometry(16, 24 + 16 * i, 241, 17);
    (new QListWidget(client))->setGeometry(16, 576, 161, 17);
    (new QListWidget(client))->setGeometry(192, 576, 169, 17);

    if (designFonts) {
        for (auto* frame : client->findChildren<QGroupBox*>())
            frame->setFont(lapidor::tahomaBold(9));
        for (auto* frame : client->findChildren<QGroupBox*>())
            for (auto* control : frame->findChildren<QWidget*>())
                if (qobject_cast<QLabel*>(control) || qobject_cast<QLineEdit*>(control)
                    || qobject_cast<QPushButton*>(control))
                    control->setFont(lapidor::tahomaBold(8.25));
    }
    window.resize(768, 412);
    window.show();
    return runUntilFirstShown(window);
}
