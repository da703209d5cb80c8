#include "ui/Credits.h"
#include "ui/ReadableColour.h"
#include "ui/about/AboutDialog.h"
#include "ui/about/LinkLabel.h"
#include "ui/about/RuleLine.h"
#include "ui/about/WebSiteLauncher.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

using namespace lapidor;

// Stands in for the desktop's web browser.
class Browser : public QObject {
    Q_OBJECT

public slots:
    void open(const QUrl& url) { opened << url; }

public:
    QList<QUrl> opened;
};

class AboutDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensModalOverItsOwnerAndCloses_data();
    void opensModalOverItsOwnerAndCloses();
    void eachLinkClickOpensTheWebSiteOnce_data();
    void eachLinkClickOpensTheWebSiteOnce();
    void failedLaunchSaysSoAndKeepsTheDialog();
    void reopensCentredOverTheMovedOwner();
    void linkAndRuleReadOnAnyPalette_data();
    void linkAndRuleReadOnAnyPalette();

private:
    // Shows the dialog modal and runs `whileOpen` inside it. The dialog is
    // closed afterwards if `whileOpen` left it open; the result says whether
    // `whileOpen` closed it itself.
    bool runModal(const std::function<void(AboutDialog*)>& whileOpen);
    void standInForTheBrowser();

    Browser browser_;
    std::unique_ptr<QWidget> owner_;
    AboutDialog* about_ = nullptr;
};

void AboutDialogTest::init()
{
    owner_ = std::make_unique<QWidget>();
    owner_->setGeometry(0, 0, 600, 300); // room to move on the 800 x 600 offscreen screen
    owner_->show();
    about_ = new AboutDialog(owner_.get());
    browser_.opened.clear();
}

void AboutDialogTest::cleanup()
{
    owner_.reset();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    setWebSiteCommandStarter({});
}

// Stands in for the browser: on Windows for the start of explorer.exe,
// which must get the address and a minimised window; elsewhere for the
// desktop's opener.
void AboutDialogTest::standInForTheBrowser()
{
#ifdef Q_OS_WIN
    setWebSiteCommandStarter([this](const WebSiteCommand& command) {
        if (command.program == "explorer.exe" && command.arguments.size() == 1 && command.minimised)
            browser_.open(QUrl(command.arguments.front()));
        return true;
    });
#else
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser_, "open");
#endif
}

bool AboutDialogTest::runModal(const std::function<void(AboutDialog*)>& whileOpen)
{
    bool closedByTest = false;
    QTimer::singleShot(0, about_, [&] {
        if (!QTest::qWaitForWindowActive(about_))
            qWarning("the About window did not become active");
        whileOpen(about_);
        closedByTest = !about_->isVisible();
        about_->reject();
    });
    about_->showModal();
    return closedByTest;
}

void AboutDialogTest::opensModalOverItsOwnerAndCloses_data()
{
    QTest::addColumn<QString>("how");
    // clang-format off
    QTest::newRow("OK button") << "ok";
    QTest::newRow("Enter") << "enter";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close box") << "close box";
    // clang-format on
}

void AboutDialogTest::opensModalOverItsOwnerAndCloses()
{
    QFETCH(QString, how);
    QWidget* modal = nullptr;
    QString focused;
    const bool closed = runModal([&](AboutDialog* about) {
        modal = QApplication::activeModalWidget();
        focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        if (how == "ok")
            QTest::mouseClick(about->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        else if (how == "enter")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (how == "escape")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            about->windowHandle()->close();
    });
    QVERIFY(closed);
    QCOMPARE(modal, about_);
    QCOMPARE(about_->parentWidget(), owner_.get());
    QCOMPARE(focused, "cmdOK");
    QCOMPARE(about_->windowTitle(), "About Lapidor");
    QCOMPARE(about_->size(), QSize(391, 142));
    QCOMPARE(about_->findChild<QLabel*>("Label2")->text(), "Created by " + authorName);
    for (const auto* label : about_->findChildren<QLabel*>())
        QCOMPARE(label->textFormat(), Qt::PlainText);
}

// The link follows a click, a key once Tab has brought the focus to it from
// OK (a frame then shows it has the focus), or assistive technology's press.
void AboutDialogTest::eachLinkClickOpensTheWebSiteOnce_data()
{
    QTest::addColumn<QString>("how");
    // clang-format off
    QTest::newRow("click") << "click";
    QTest::newRow("Return") << "Return";
    QTest::newRow("keypad Enter") << "Enter";
    QTest::newRow("Space") << "Space";
    QTest::newRow("assistive technology") << "press";
    // clang-format on
}

void AboutDialogTest::eachLinkClickOpensTheWebSiteOnce()
{
    QFETCH(QString, how);
    standInForTheBrowser();
    bool stayedOpen = false;
    QStringList focused;
    bool framed = false;
    runModal([&](AboutDialog* about) {
        auto* link = about->findChild<QLabel*>("Label3");
        const auto follow = [&] {
            if (how == "click") {
                QTest::mouseClick(link, Qt::LeftButton);
            } else if (how == "press") {
                auto* accessible = QAccessible::queryAccessibleInterface(link);
                accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                QCoreApplication::processEvents();
            } else {
                const auto key = how == "Return" ? Qt::Key_Return : how == "Enter" ? Qt::Key_Enter : Qt::Key_Space;
                QTest::keyClick(link, key, how == "Enter" ? Qt::KeypadModifier : Qt::NoModifier);
            }
        };
        if (how != "click" && how != "press") {
            const QImage unfocused = link->grab().toImage();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            focused << QApplication::focusWidget()->objectName();
            framed = link->grab().toImage() != unfocused;
        }
        follow();
        follow();
        stayedOpen = about->isVisible() && QApplication::activeModalWidget() == about;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        focused << QApplication::focusWidget()->objectName();
    });
    QVERIFY(stayedOpen);
    QCOMPARE(browser_.opened, (QList<QUrl>{QUrl(webSiteAddress), QUrl(webSiteAddress)}));
    if (how != "click" && how != "press") {
        QCOMPARE(focused, (QStringList{"Label3", "cmdOK"}));
        QVERIFY(framed);
    }
}

void AboutDialogTest::failedLaunchSaysSoAndKeepsTheDialog()
{
    // Without a handler the offscreen platform cannot open web addresses.
#ifdef Q_OS_WIN
    setWebSiteCommandStarter([](const WebSiteCommand&) { return false; }); // as if explorer.exe were missing
#endif
    QString message;
    bool stayedOpen = false;
    runModal([&](AboutDialog* about) {
        QTest::mouseClick(about->findChild<QLabel*>("Label3"), Qt::LeftButton);
        if (auto* box = about->findChild<QMessageBox*>())
            message = box->text();
        stayedOpen = about->isVisible();
    });
    QVERIFY(stayedOpen);
    QVERIFY2(message.contains(webSiteAddress), qPrintable(message));
}

void AboutDialogTest::reopensCentredOverTheMovedOwner()
{
    runModal([](AboutDialog* about) { about->move(0, 0); });
    owner_->move(150, 250);
    QPoint centre;
    runModal([&](AboutDialog* about) { centre = about->geometry().center(); });
    QVERIFY2((centre - owner_->geometry().center()).manhattanLength() <= 2,
             qPrintable(QString("%1,%2").arg(centre.x()).arg(centre.y())));
}

void AboutDialogTest::linkAndRuleReadOnAnyPalette_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<bool>("designColours");

    // clang-format off
    QTest::newRow("light palette keeps the design's colours") << QColor(239, 239, 239) << QColor(Qt::black) << true;
    QTest::newRow("dark palette") << QColor(53, 53, 53) << QColor(Qt::white) << false;
    // clang-format on
}

void AboutDialogTest::linkAndRuleReadOnAnyPalette()
{
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    QFETCH(bool, designColours);
    QPalette palette = about_->palette();
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    about_->setPalette(palette);

    const QColor blue(0, 0, 255);
    const QColor link = about_->findChild<LinkLabel*>("Label3")->shownColour();
    QVERIFY(contrastRatio(link, window) >= 4.5);
    QCOMPARE(link == blue, designColours);
    if (!designColours) { // a lighter shade of the same blue
        QCOMPARE(link.hslHue(), blue.hslHue());
        QVERIFY(link.lightness() > blue.lightness());
    }

    QColor rule[2];
    for (auto* line : about_->findChildren<RuleLine*>("Line1"))
        rule[line->property("index").toInt()] = line->shownColour();
    if (designColours) {
        QCOMPARE(rule[0], QColor(Qt::white));
        QCOMPARE(rule[1], QColor(128, 128, 128));
    } else { // the palette's own light and shadow, not a bright white stripe
        QCOMPARE(rule[0], palette.color(QPalette::Light));
        QCOMPARE(rule[1], palette.color(QPalette::Shadow));
    }
}

QTEST_MAIN(AboutDialogTest)
#include "tst_aboutdialog.moc"
