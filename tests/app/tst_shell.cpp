#include "ui/about/AboutDialog.h"
#include "app/ApplicationIdentity.h"
#include "ui/main/MainWindow.h"
#include "app/Module1.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace lapidor;

namespace {

const QStringList placementKeys = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};

QSettings lapidorSettings()
{
    return {QSettings::NativeFormat, QSettings::UserScope, "Lapidor", "Lapidor"};
}

QStringList savedPlacement()
{
    QStringList values;
    for (const auto& key : placementKeys)
        values << lapidorSettings().value("Settings/" + key).toString();
    return values;
}

QStringList placementInTwips(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    return {QString::number(frame.x() * 15), QString::number(frame.y() * 15), QString::number(frame.width() * 15),
            QString::number(frame.height() * 15)};
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void closingWritesThePlacementOnce_data();
    void closingWritesThePlacementOnce();
    void minimisedCloseWritesNothing();
    void maximisedCloseWritesWhatTheWindowReports();
    void aboutWindowClosesBeforeThePlacementIsSaved();
    void unwritableSettingsDoNotBlockClosing();
    void missingLevelsFileIsToldOnce();
    void desktopIdentityMatchesTheDesktopEntry();

private:
    MainWindow* startUp();

    QTemporaryDir settingsDir_;
    QTemporaryDir workDir_;
    std::unique_ptr<Module1> module_;
};

void ShellTest::initTestCase()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    QFile levels(workDir_.filePath("levels.txt"));
    QVERIFY(levels.open(QIODevice::WriteOnly));
    levels.write("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=1000]\r\n");
}

void ShellTest::init()
{
    lapidorSettings().clear();
    QVERIFY(QDir::setCurrent(workDir_.path()));
}

void ShellTest::cleanup()
{
    module_.reset();
}

MainWindow* ShellTest::startUp()
{
    module_ = std::make_unique<Module1>();
    module_->startUp();
    MainWindow* window = module_->mainWindow();
    QApplication::setActiveWindow(window);
    return window;
}

void ShellTest::closingWritesThePlacementOnce_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QString>("left");
    QTest::newRow("File > Exit") << true << QPoint(40, 30) << "600";
    QTest::newRow("close box") << false << QPoint(40, 30) << "600";
    QTest::newRow("partly off the screen") << false << QPoint(-50, 10) << "-750";
}

void ShellTest::closingWritesThePlacementOnce()
{
    QFETCH(bool, fromMenu);
    QFETCH(QPoint, position);
    QFETCH(QString, left);
    MainWindow* window = startUp();
    window->move(position);
    QSignalSpy unloads(window, &MainWindow::unloading);
    const QStringList expected = placementInTwips(*window);

    if (fromMenu)
        window->findChild<QAction*>("mnuFileExit")->trigger();
    else
        window->windowHandle()->close();

    QTRY_VERIFY(!window->isVisible());
    QCOMPARE(unloads.count(), 1);
    QCOMPARE(savedPlacement(), expected);
    QCOMPARE(expected.first(), left);
}

void ShellTest::minimisedCloseWritesNothing()
{
    lapidorSettings().setValue("Settings/MainLeft", "1234");
    MainWindow* window = startUp();
    window->showMinimized();
    QTRY_VERIFY(window->isMinimized());
    window->close();
    QCOMPARE(savedPlacement(), (QStringList{"1234", "", "", ""}));
}

void ShellTest::maximisedCloseWritesWhatTheWindowReports()
{
    MainWindow* window = startUp();
    window->showMaximized();
    QTRY_VERIFY(window->isMaximized());
    QTRY_VERIFY(window->frameGeometry().width() > 768);
    const QStringList expected = placementInTwips(*window);
    window->close();
    QCOMPARE(savedPlacement(), expected);
}

void ShellTest::aboutWindowClosesBeforeThePlacementIsSaved()
{
    MainWindow* window = startUp();
    QStringList savedWhenAboutClosed{"not closed"};
    QTimer::singleShot(0, window, [&] {
        auto* about = window->findChild<AboutDialog*>("frmAbout");
        connect(about, &QDialog::finished, [&] { savedWhenAboutClosed = savedPlacement(); });
        window->close();
    });
    window->findChild<QAction*>("mnuHelpAbout")->trigger(); // returns once the About window has closed

    QCOMPARE(savedWhenAboutClosed, (QStringList{"", "", "", ""}));
    QVERIFY(!window->isVisible());
    QCOMPARE(savedPlacement(), placementInTwips(*window));
}

void ShellTest::unwritableSettingsDoNotBlockClosing()
{
    // A file where the settings folder should be cannot be written into.
    const QString blocked = workDir_.filePath("blocked");
    QFile(blocked).open(QIODevice::WriteOnly);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocked);

    MainWindow* window = startUp();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("could not save the window placement"));
    window->close();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir_.path());
    QVERIFY(!window->isVisible());
}

void ShellTest::missingLevelsFileIsToldOnce()
{
    QTemporaryDir empty;
    QVERIFY(QDir::setCurrent(empty.path()));
    MainWindow* window = startUp();
    QVERIFY(window->isVisible());
    QCOMPARE(window->levelTable().size(), 0u);

    QTRY_COMPARE(window->findChildren<QMessageBox*>().size(), 1);
    const QString text = window->findChild<QMessageBox*>()->text();
    QVERIFY2(text.contains("\"levels.txt\"") && text.contains(QFileInfo(empty.path()).canonicalFilePath()),
             qPrintable(text));
    QTest::qWait(50);
    QCOMPARE(window->findChildren<QMessageBox*>().size(), 1);
}

void ShellTest::desktopIdentityMatchesTheDesktopEntry()
{
    identifyApplication();
    QCOMPARE(QGuiApplication::desktopFileName() + ".desktop", QFileInfo(LAPIDOR_DESKTOP_FILE).fileName());
    QVERIFY(QFileInfo::exists(LAPIDOR_DESKTOP_FILE));
    QVERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(QApplication::applicationVersion(), "1.00");
}

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
