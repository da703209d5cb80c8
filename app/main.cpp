#include "MainWindow.h"

#include "LevelsReader.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    lapidor::MainWindow window(QString::fromLatin1(lapidor::levelsFileName.data(), qsizetype(lapidor::levelsFileName.size())));
    window.show();
    return app.exec();
}
