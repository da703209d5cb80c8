#include "app/LevelsLoading.h"
#include "app/Translations.h"
#include "calc/GemCatalogue.h"
#include "ui/ReadableColour.h"
#include "ui/main/ClockStatusBar.h"
#include "ui/main/FittedFont.h"
#include "ui/main/MainWindow.h"
#include "ui/main/TitledFrame.h"
#include "ui/words/GemNames.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTranslator>

using namespace lapidor;

namespace {

// What the field's context menu's Paste does.
void pasteFromContextMenu(QLineEdit* field)
{
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    for (auto* action : menu->actions())
        if (action->text().startsWith(QLineEdit::tr("&Paste")))
            return action->trigger();
    QFAIL("the context menu has no Paste");
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsStandAtTheirDesignPlaces_data();
    void controlsStandAtTheirDesignPlaces();
    void opensInTheStartState();
    void captionsShowWhole();
    void installedFaceNarrowsOnlyToFit_data();
    void installedFaceNarrowsOnlyToFit();
    void gemLabelsNameTheirFields();
    void outputLineShowsAtAnyScale_data();
    void outputLineShowsAtAnyScale();
    void screenReaderNames_data();
    void screenReaderNames();
    void frameCaptionsReadOnAnyPalette_data();
    void frameCaptionsReadOnAnyPalette();
    void tabVisitsTheControlsInOrder_data();
    void tabVisitsTheControlsInOrder();
    void typing_data();
    void typing();
    void everyWayInTakesDigitsOnly_data();
    void everyWayInTakesDigitsOnly();
    void emptiedFieldWaitsUntilLeft_data();
    void emptiedFieldWaitsUntilLeft();
    void enterMovesToTheNextField();
    void optionsSwitchTheStartField();
    void calculateWritesTheReport();
    void reportShowsWhenOutOfDate_data();
    void reportShowsWhenOutOfDate();
    void failedCalculationKeepsTheCaptionsAndTellsWhy();
    void fractionalNewXpUsesTheLocaleSeparator();
    void levelListsShowTheTableAsRead_data();
    void levelListsShowTheTableAsRead();
    void resizingMovesOnlyTheStatusBar_data();
    void resizingMovesOnlyTheStatusBar();
    void statusBarFitsItsFont_data();
    void statusBarFitsItsFont();
    void clockPanelsFollowTheMinutes();
    void speaksGerman();
    void speaksEnglishWhereItHasNoTranslation();

private:
    template <typename T = QWidget>
    T* find(const char* name) const
    {
        auto* widget = window_->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control named %s", name);
        return widget;
    }
    QString caption(const char* label) const { return find<QLabel>(label)->text(); }
    void showWindow(const QByteArray& levels);

    QTemporaryDir dir_;
    std::unique_ptr<MainWindow> window_;
};

void MainWindowTest::showWindow(const QByteArray& levels)
{
    QFile file(dir_.filePath("levels.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(levels);
    file.close();
    window_ = std::make_unique<MainWindow>();
    {
        auto loaded = loadLevels(file.fileName());
        window_->setLevels(std::move(loaded.levels), loaded.warningText);
    }
    window_->show();
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void MainWindowTest::init()
{
    showWindow(
        "[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=1000]\r\n[LEVEL=3 XP=3000]\r\n[LEVEL=4 XP=6000]\r\n[LEVEL=5 XP=10000]\r\n");
}

void MainWindowTest::cleanup()
{
    window_.reset();
}

void MainWindowTest::controlsStandAtTheirDesignPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels"); // design twips divided by 15

    // clang-format off
    QTest::newRow("gem frame") << "Lapidors" << QRect(8, 8, 433, 361);
    QTest::newRow("options frame") << "Frame2" << QRect(448, 8, 313, 73);
    QTest::newRow("output frame") << "Frame1" << QRect(448, 88, 313, 177);
    QTest::newRow("first rough label") << "r" << QRect(8, 32, 81, 17);
    QTest::newRow("last rough field") << "Text12" << QRect(128, 296, 41, 19);
    QTest::newRow("first finely cut label") << "Label12" << QRect(216, 32, 145, 17);
    QTest::newRow("last finely cut field") << "Text24" << QRect(360, 296, 41, 19);
    QTest::newRow("calculate") << "Calculate" << QRect(160, 328, 105, 17);
    QTest::newRow("level option") << "Option1" << QRect(8, 24, 17, 17);
    QTest::newRow("experience field") << "Text25" << QRect(184, 48, 121, 19);
    QTest::newRow("level field") << "Text26" << QRect(184, 24, 41, 19);
    QTest::newRow("top output label") << "Label25" << QRect(16, 24, 241, 17);
    QTest::newRow("bottom output label") << "Label33" << QRect(16, 152, 241, 17);
    QTest::newRow("label list") << "List1" << QRect(16, 576, 161, 17);
    QTest::newRow("threshold list") << "List2" << QRect(192, 576, 169, 17);
    // clang-format on
}

void MainWindowTest::controlsStandAtTheirDesignPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    QCOMPARE(find(name.toLatin1())->geometry(), pixels);
}

void MainWindowTest::opensInTheStartState()
{
    QCOMPARE(window_->centralWidget()->size(), QSize(768, 393 - 18)); // the bar below is at least 18 high
    QCOMPARE(window_->windowTitle(), "Lapidor :: By Edda Rowan");
    QCOMPARE(window_->findChild<QAction*>("mnuHelpAbout")->text(), "&About ");
    for (int n = 1; n <= 24; ++n)
        QCOMPARE(find<QLineEdit>(qPrintable(QString("Text%1").arg(n)))->text(), "0");
    QVERIFY(find<QRadioButton>("Option1")->isChecked());
    QVERIFY(find("Text26")->isEnabled());
    QVERIFY(!find("Text25")->isEnabled());
    QCOMPARE(find("Option1")->font(), QApplication::font(find("Option1"))); // not the frame's caption font
    QCOMPARE(caption("Label25"), "Total Gems: N/A");
    QCOMPARE(caption("Label26"), "Total XP From Finely Cuts: N/A");
    QCOMPARE(caption("Label33"), "New Level: N/A");
    QCOMPARE(find<QGroupBox>("Frame1")->title(), "Output");
    const auto* bar = find<ClockStatusBar>("sbStatusBar");
    QCOMPARE(bar->panelText(1), "Lapidor");
    QCOMPARE(bar->panelText(2), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
    QVERIFY(!bar->panelText(3).isEmpty());

    // Text1's 0 is selected, so that the first digits typed replace it.
    auto* first = find<QLineEdit>("Text1");
    QVERIFY(first->hasFocus());
    QCOMPARE(first->selectedText(), "0");
    QTest::keyClicks(first, "10");
    QCOMPARE(first->text(), "10");
}

void MainWindowTest::captionsShowWhole()
{
    const auto labels = window_->centralWidget()->findChildren<QLabel*>();
    QCOMPARE(labels.size(), 24 + 2 + 8);
    for (const auto* label : labels)
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->objectName() + " is clipped"));
    for (const auto* label : window_->findChildren<QLabel*>()) // the status bar's panels too
        QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName() + " may read markup"));
}

// A face the system has keeps its width while its captions fit, and is
// narrowed (on Windows made smaller) where a translation's longer words
// would not.
void MainWindowTest::installedFaceNarrowsOnlyToFit_data()
{
    QTest::addColumn<int>("width"); // of the label, in pixels
    QTest::addColumn<bool>("changed");

    QTest::newRow("room enough: kept as it is") << 400 << false;
    QTest::newRow("too narrow: narrowed to fit") << 130 << true;
}

void MainWindowTest::installedFaceNarrowsOnlyToFit()
{
    QFETCH(int, width);
    QFETCH(bool, changed);
    QFont face("DejaVu Sans");
    face.setPointSizeF(8.25);
    face.setBold(true);
    QVERIFY(QFontDatabase::hasFamily(face.family()));
    const QString caption = "Geschliffener Kalkstein:";
    const QFont fitted = fittedFont(face, {{caption, width}});
    QCOMPARE(fitted != face, changed);
    QVERIFY(QFontMetrics(fitted).horizontalAdvance(caption) <= width);
}

// Each gem's label names its field, and both tell what one gem is worth,
// in the player's number format.
void MainWindowTest::gemLabelsNameTheirFields()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    init();
    QLocale::setDefault(previous);
    for (int n = 1; n <= 24; ++n) {
        auto* field = find<QLineEdit>(qPrintable(QString("Text%1").arg(n)));
        auto* label = find<QLabel>(n == 1 ? "r" : qPrintable(QString("Label%1").arg(n - 1)));
        QCOMPARE(label->text(), gemName(std::size_t(n - 1)) + ":");
        QCOMPARE(label->buddy(), field);
        QCOMPARE(label->y(), field->y());
        QVERIFY(label->toolTip().startsWith(gemName(std::size_t(n - 1)) + ": "));
        QCOMPARE(field->toolTip(), label->toolTip());
    }
    QCOMPARE(caption("Label4"), "Rough Diamond:");
    QCOMPARE(caption("Label7"), "Rough Limestone:");
    QCOMPARE(find("r")->toolTip(), "Rough Agate: 5,000 XP each");
    QCOMPARE(find("Label4")->toolTip(), "Rough Diamond: 10,000 XP each");
    QCOMPARE(find("Label7")->toolTip(), "Rough Limestone: 15,000 XP each");
}

// The line between the gem totals and the old and new values covers whole
// device pixels at any scale factor, fractional ones too.
void MainWindowTest::outputLineShowsAtAnyScale_data()
{
    QTest::addColumn<qreal>("scale");

    QTest::newRow("1") << 1.0;
    QTest::newRow("1.25") << 1.25;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
}

void MainWindowTest::outputLineShowsAtAnyScale()
{
    QFETCH(qreal, scale);
    auto* line = find("Line1");
    const QRect at(line->mapTo(window_.get(), QPoint(0, 0)), line->size());
    // The window as it is painted at that scale, as a screenshot shows it.
    QImage shot((QSizeF(window_->size()) * scale).toSize(), QImage::Format_RGB32);
    shot.setDevicePixelRatio(scale);
    window_->render(&shot);

    const QColor background = find("Frame1")->palette().color(QPalette::Window);
    int longest = 0;
    for (int y = int(at.top() * scale); y <= int((at.bottom() + 1) * scale) && y < shot.height(); ++y) {
        int drawn = 0;
        for (int x = int(at.left() * scale); x < int((at.right() + 1) * scale); ++x)
            drawn += contrastRatio(shot.pixelColor(x, y), background) >= 4.5;
        longest = std::max(longest, drawn);
    }
    QVERIFY2(longest >= int(at.width() * scale) - 1,
             qPrintable(QString("%1 of %2 pixels drawn").arg(longest).arg(at.width() * scale)));
}

void MainWindowTest::screenReaderNames_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("name");

    // clang-format off
    QTest::newRow("first gem field") << "Text1" << "Rough Agate:";
    QTest::newRow("last rough field") << "Text12" << "Rough Sapphire:";
    QTest::newRow("first finely cut field") << "Text13" << "Finely Cut Agate:";
    QTest::newRow("last gem field") << "Text24" << "Finely Cut Sapphire:";
    QTest::newRow("level field") << "Text26" << "Current Level:";
    QTest::newRow("experience field") << "Text25" << "Current Experience:";
    QTest::newRow("level option") << "Option1" << "Current Level";
    QTest::newRow("experience option") << "Option2" << "Current Experience";
    QTest::newRow("label list") << "List1" << "Level labels";
    QTest::newRow("threshold list") << "List2" << "Level XP values";
    // clang-format on
}

void MainWindowTest::screenReaderNames()
{
    QFETCH(QString, widget);
    QFETCH(QString, name);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(find(widget.toLatin1()));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

void MainWindowTest::frameCaptionsReadOnAnyPalette_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("caption");

    // clang-format off
    QTest::newRow("light palette keeps the design's dark blue") << QColor(239, 239, 239) << QColor(Qt::black) << QColor(0, 0, 192);
    QTest::newRow("dark palette takes a lighter blue") << QColor(53, 53, 53) << QColor(Qt::white) << QColor(147, 147, 255);
    QTest::newRow("no blue reads on mid grey: the text colour") << QColor(128, 128, 128) << QColor(Qt::black) << QColor(Qt::black);
    // clang-format on
}

void MainWindowTest::frameCaptionsReadOnAnyPalette()
{
    QFETCH(QColor, window);
    QFETCH(QColor, text);
    QFETCH(QColor, caption);
    const auto shows = [](QWidget* widget, const QColor& colour) {
        const QImage image = widget->grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == colour)
                    return true;
        return false;
    };

    // Changed while the window is open, as a desktop's scheme switch does.
    QPalette palette = window_->palette();
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    window_->setPalette(palette);
    const QColor shown = find<TitledFrame>("Frame1")->shownCaptionColour();
    const bool captionShows = shows(find("Frame1"), caption);
    const bool labelShows = shows(find("Label25"), caption);

    QCOMPARE(shown, caption);
    QVERIFY(captionShows);
    if (caption != text)
        QVERIFY(!labelShows); // only the frame caption takes the colour
}

void MainWindowTest::tabVisitsTheControlsInOrder_data()
{
    QTest::addColumn<bool>("experienceMode");
    QTest::addColumn<QStringList>("stopsAfterCalculate");

    // clang-format off
    QTest::newRow("level mode") << false << QStringList{"Option1", "Text26", "Text1"};
    QTest::newRow("experience mode") << true << QStringList{"Option2", "Text25", "Text1"};
    // clang-format on
}

void MainWindowTest::tabVisitsTheControlsInOrder()
{
    QFETCH(bool, experienceMode);
    QFETCH(QStringList, stopsAfterCalculate);
    if (experienceMode) {
        find("Option1")->setFocus(); // the selected button is the stop, not the one focused last
        find<QRadioButton>("Option2")->setChecked(true);
    }

    QStringList expected;
    for (int n = 2; n <= 24; ++n)
        expected << QString("Text%1").arg(n);
    expected << "Calculate" << stopsAfterCalculate;

    find("Text1")->setFocus();
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), experienceMode ? "Text25" : "Text26");
}

void MainWindowTest::typing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("start");
    // Keys typed at the end: '<' is Backspace, '^' is Home, {x} one key typing x, [x] x pasted.
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("afterTab"); // once the focus has moved on
    QTest::addColumn<bool>("told");        // the field said that it takes digits only

    // clang-format off
    QTest::newRow("letters, blanks, signs and separators are refused") << "Text1" << "7" << "a -.,+e" << "7" << "7" << true;
    QTest::newRow("digits are taken, the leading zero goes once left") << "Text2" << "0" << "12" << "012" << "12" << false;
    QTest::newRow("leading zero and four digits stay while edited") << "Text3" << "0" << "1234" << "01234" << "1234" << false;
    QTest::newRow("typing goes on after a pasted number with blanks") << "Text2" << "" << "[ 12 ]3" << "123" << "123" << false;
    QTest::newRow("a count above 9999 is capped") << "Text3" << "0" << "12345" << "9999" << "9999" << false;
    QTest::newRow("backspace then a digit gives that digit") << "Text4" << "5" << "<3" << "3" << "3" << false;
    QTest::newRow("backspace leaves the field empty until it is left") << "Text4" << "5" << "<" << "" << "0" << false;
    QTest::newRow("level backspace then a digit") << "Text26" << "7" << "<8" << "8" << "8" << false;
    QTest::newRow("level backspace waits, then shows 1") << "Text26" << "1" << "<" << "" << "1" << false;
    QTest::newRow("level 05 can be typed") << "Text26" << "" << "05" << "05" << "5" << false;
    QTest::newRow("level 0 left alone becomes 1") << "Text26" << "" << "0" << "0" << "1" << false;
    QTest::newRow("digit before 0200 caps the level") << "Text26" << "0200" << "^4" << "200" << "200" << false;
    QTest::newRow("level 201 typed") << "Text26" << "" << "201" << "200" << "200" << false;
    QTest::newRow("experience takes digits only") << "Text25" << "12" << "a3-.4 " << "1234" << "1234" << true;
    QTest::newRow("experience backspace waits, then shows 0") << "Text25" << "7" << "<" << "" << "0" << false;
    QTest::newRow("experience above the cap typed") << "Text25" << "24829251323" << "6" << "248292513235" << "248292513235" << false;
    QTest::newRow("zero-width non-joiner is refused") << "Text5" << "5" << "{\u200c}" << "5" << "5" << true;
    QTest::newRow("right-to-left mark is refused") << "Text6" << "5" << "{\u200f}" << "5" << "5" << true;
    QTest::newRow("private-use character is refused") << "Text7" << "5" << "{\ue000}" << "5" << "5" << true;
    QTest::newRow("gem beyond the basic plane is refused") << "Text8" << "5" << "{\U0001F48E}" << "5" << "5" << true;
    QTest::newRow("mathematical digit is refused") << "Text26" << "5" << "{\U0001D7D3}" << "5" << "5" << true;
    QTest::newRow("digits with a format character are refused") << "Text9" << "5" << "{1\u200d2}" << "5" << "5" << true;
    // clang-format on
}

void MainWindowTest::typing()
{
    QFETCH(QString, field);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    QFETCH(QString, afterTab);
    QFETCH(bool, told);

    QToolTip::hideText();
    if (field == "Text25")
        find<QRadioButton>("Option2")->setChecked(true);
    auto* edit = find<QLineEdit>(field.toLatin1());
    edit->setFocus();
    edit->setText(start);
    edit->end(false);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] == '<') {
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else if (keys[i] == '^') {
            QTest::keyClick(edit, Qt::Key_Home);
        } else if (keys[i] == '{') {
            const auto close = keys.indexOf('}', i);
            QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, keys.mid(i + 1, close - i - 1), Qt::NoModifier);
            i = close;
        } else if (keys[i] == '[') {
            const auto close = keys.indexOf(']', i);
            QApplication::clipboard()->setText(keys.mid(i + 1, close - i - 1));
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            i = close;
        } else {
            QTest::keyClicks(edit, keys[i]);
        }
    }
    QCOMPARE(edit->text(), result);
    QCOMPARE(QToolTip::isVisible() && QToolTip::text() == "Only the digits 0 to 9 can be entered here.", told);
    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(!edit->hasFocus());
    QCOMPARE(edit->text(), afterTab);
}

// Text that comes in one piece takes the same road whichever way it comes:
// kept, with blanks at its ends dropped, when it is all digits; refused
// whole, with the reason at the field, otherwise. A text set whole, by code
// or by assistive technology, replaces the field's text or is refused
// without a word.
void MainWindowTest::everyWayInTakesDigitsOnly_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result"); // the field starts at "12" with the cursor after the 1

    const QStringList ways = {"Ctrl+V", "Shift+Insert", "context menu", "middle click", "input method"};
    for (const auto& way : ways) {
        // clang-format off
        QTest::addRow("%s: digits with blanks and a line break at the ends", qPrintable(way)) << way << " 34\n" << "1342";
        QTest::addRow("%s: digits with a blank between them", qPrintable(way)) << way << "3 4" << "12";
        QTest::addRow("%s: a grouping separator", qPrintable(way)) << way << "1,000" << "12";
        // clang-format on
    }
    // A drop goes in after the text, where it is dropped.
    // clang-format off
    QTest::newRow("drop: digits with blanks and a line break at the ends") << "drop" << " 34\n" << "1234";
    QTest::newRow("drop: digits with a blank between them") << "drop" << "3 4" << "12";
    QTest::newRow("drop: a grouping separator") << "drop" << "1,000" << "12";
    // clang-format on
    for (const char* way : {"setText", "assistive technology"}) {
        // clang-format off
        QTest::addRow("%s: digits with blanks and a line break at the ends", way) << way << " 34\n" << "34";
        QTest::addRow("%s: digits with a blank between them", way) << way << "3 4" << "12";
        QTest::addRow("%s: letters", way) << way << "abc" << "12";
        QTest::addRow("%s: a minus sign", way) << way << "-5" << "12";
        // clang-format on
    }
    QTest::newRow("assistive insertion of digits") << "assistive insertion"
                                                   << "34"
                                                   << "1342";
    QTest::newRow("assistive insertion of a letter") << "assistive insertion"
                                                     << "x"
                                                     << "12";
}

void MainWindowTest::everyWayInTakesDigitsOnly()
{
    QFETCH(QString, way);
    QFETCH(QString, text);
    QFETCH(QString, result);

    QToolTip::hideText();
    auto* field = find<QLineEdit>("Text1");
    field->setFocus();
    field->setText("12");
    field->setCursorPosition(1);
    auto* editable = QAccessible::queryAccessibleInterface(field)->editableTextInterface();
    if (way == "setText") {
        field->setText(text);
    } else if (way == "assistive technology") {
        editable->replaceText(0, int(field->text().size()), text);
    } else if (way == "assistive insertion") {
        editable->insertText(field->cursorPosition(), text);
    } else if (way == "Ctrl+V" || way == "Shift+Insert" || way == "context menu") {
        QApplication::clipboard()->setText(text);
        if (way == "Ctrl+V")
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        else if (way == "Shift+Insert")
            QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        else
            pasteFromContextMenu(field);
    } else if (way == "middle click") {
        if (!QApplication::clipboard()->supportsSelection())
            QSKIP("this platform has no selection to paste with a middle click");
        QApplication::clipboard()->setText(text, QClipboard::Selection);
        QTest::mouseClick(field, Qt::MiddleButton, {}, field->rect().center()); // between the two digits
    } else if (way == "drop") {
        QMimeData data;
        data.setText(text);
        const QPointF at(field->width() - 3, field->height() / 2.0); // after the text
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(field, &enter);
        QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(field, &move);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(field, &drop);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(field, &commit);
    }
    QCOMPARE(field->text(), result);
    const bool setWhole = way == "setText" || way.startsWith("assistive");
    QCOMPARE(QToolTip::isVisible() && QToolTip::text() == "Only the digits 0 to 9 can be entered here.",
             result == "12" && !setWhole);
}

// A field the player empties is refilled, and a number loses its leading
// zeros, once he leaves it for another control of the window, or presses
// Calculate; not when he opens a menu or goes to another window, and comes
// back to it.
void MainWindowTest::emptiedFieldWaitsUntilLeft_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("typed"); // into the emptied field
    QTest::addColumn<QString>("kept");

    // clang-format off
    QTest::newRow("Tab to the next field") << "tab" << "" << "0";
    QTest::newRow("click on another field") << "click" << "" << "0";
    QTest::newRow("click on Calculate") << "calculate" << "" << "0";
    QTest::newRow("the File menu opened") << "menu" << "" << "";
    QTest::newRow("another window activated") << "window" << "" << "";
    QTest::newRow("Tab drops leading zeros") << "tab" << "0002" << "2";
    QTest::newRow("all zeros leave one") << "click" << "00000" << "0";
    QTest::newRow("Calculate drops leading zeros") << "calculate" << "010" << "10";
    QTest::newRow("leading zeros wait while a menu is open") << "menu" << "010" << "010";
    // clang-format on
}

void MainWindowTest::emptiedFieldWaitsUntilLeft()
{
    QFETCH(QString, how);
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    auto* field = find<QLineEdit>("Text3");
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), typed);

    if (how == "tab") {
        QTest::keyClick(field, Qt::Key_Tab);
    } else if (how == "click") {
        QTest::mouseClick(find("Text20"), Qt::LeftButton);
    } else if (how == "calculate") {
        QTest::mouseClick(find("Calculate"), Qt::LeftButton);
        QCOMPARE(caption("Label25"), "Total Gems: " + kept);
    } else if (how == "menu") {
        auto* menu = window_->menuBar()->findChild<QMenu*>("mnuFile");
        menu->popup(window_->mapToGlobal(QPoint(0, 0)));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(field->text(), kept);
        menu->close();
    } else {
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(!field->hasFocus());
        QCOMPARE(field->text(), kept);
        QApplication::setActiveWindow(window_.get());
        QTRY_VERIFY(field->hasFocus());
    }
    QCOMPARE(field->text(), kept);
}

void MainWindowTest::enterMovesToTheNextField()
{
    auto* field = find<QLineEdit>("Text12");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(field->text(), "0");
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), "Text13");
    QCOMPARE(caption("Label25"), "Total Gems: N/A"); // Enter in a field never calculates
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), "Text14");
}

void MainWindowTest::optionsSwitchTheStartField()
{
    find<QLineEdit>("Text26")->setText("42");
    QTest::mouseClick(find("Label28"), Qt::LeftButton);
    QVERIFY(find<QRadioButton>("Option1")->isChecked());

    QTest::mouseClick(find("Option2"), Qt::LeftButton);
    QVERIFY(find<QRadioButton>("Option2")->isChecked());
    QVERIFY(!find<QRadioButton>("Option1")->isChecked());
    QVERIFY(find("Text25")->isEnabled());
    QVERIFY(!find("Text26")->isEnabled());

    QTest::mouseClick(find("Option1"), Qt::LeftButton);
    QVERIFY(find("Text26")->isEnabled());
    QVERIFY(!find("Text25")->isEnabled());
    QCOMPARE(find<QLineEdit>("Text26")->text(), "42");
}

void MainWindowTest::calculateWritesTheReport()
{
    QTest::mouseClick(find("Option2"), Qt::LeftButton);
    find<QLineEdit>("Text25")->setText("0002500"); // leading zeros go at Calculate
    find<QLineEdit>("Text1")->setText("1");
    find<QLineEdit>("Text13")->setText("2");
    QTest::mouseClick(find("Calculate"), Qt::LeftButton);

    QCOMPARE(caption("Label33"), "New Level: 5");
    QCOMPARE(caption("Label25"), "Total Gems: 3");
    QCOMPARE(caption("Label27"), "Total XP From Roughs: 5000");
    QCOMPARE(caption("Label26"), "Total XP From Finely Cuts: 40000");
    QCOMPARE(caption("Label24"), "Total XP: 45000");
    QCOMPARE(caption("Label29"), "Old XP: 2500");
    QCOMPARE(find<QLineEdit>("Text25")->text(), "2500");
    QCOMPARE(caption("Label32"), "Old Level: 2");
    QCOMPARE(caption("Label31"), "New XP: 47500");

    // Return and keypad Enter on the focused button press it, though it is
    // not the window's default button.
    QVERIFY(!find<QPushButton>("Calculate")->isDefault());
    find<QLineEdit>("Text1")->setText("2");
    find("Calculate")->setFocus();
    QTest::keyClick(find("Calculate"), Qt::Key_Return);
    QCOMPARE(caption("Label25"), "Total Gems: 4");
    find<QLineEdit>("Text1")->setText("3");
    QTest::keyClick(find("Calculate"), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(caption("Label25"), "Total Gems: 5");
}

// After a Calculate, the report is out of date once an entry differs from
// what it was worked out from: its captions are dimmed, yet readable on a
// light and on a dark palette (not the toolkit's faint disabled grey), and
// a screen reader hears so. Undoing the change or calculating again shows
// them as before; a failed Calculate leaves them dimmed.
void MainWindowTest::reportShowsWhenOutOfDate_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QStringList>("steps"); // after a first Calculate: "Text1=5" sets a text, "Option2" clicks it
    QTest::addColumn<bool>("outOfDate");

    // clang-format off
    QTest::newRow("as calculated") << false << QStringList{} << false;
    QTest::newRow("a count changed") << false << QStringList{"Text1=5"} << true;
    QTest::newRow("a count changed, on a dark palette") << true << QStringList{"Text1=5"} << true;
    QTest::newRow("a count changed and changed back") << false << QStringList{"Text1=5", "Text1=0"} << false;
    QTest::newRow("the level changed") << false << QStringList{"Text26=2"} << true;
    QTest::newRow("the option changed") << false << QStringList{"Option2"} << true;
    QTest::newRow("the option changed and changed back") << false << QStringList{"Option2", "Option1"} << false;
    QTest::newRow("the experience changed") << false << QStringList{"Option2", "Calculate", "Text25=400"} << true;
    QTest::newRow("calculated again") << false << QStringList{"Text1=5", "Calculate"} << false;
    QTest::newRow("a failed Calculate") << false << QStringList{"Text26=7", "Calculate"} << true;
    QTest::newRow("a failed Calculate, on a dark palette") << true << QStringList{"Text26=7", "Calculate"} << true;
    QTest::newRow("the palette turned dark while out of date") << false << QStringList{"Text1=5", "dark"} << true;
    // clang-format on
}

void MainWindowTest::reportShowsWhenOutOfDate()
{
    QFETCH(bool, dark);
    QFETCH(QStringList, steps);
    QFETCH(bool, outOfDate);
    const auto darken = [&] {
        QPalette palette = window_->palette();
        palette.setColor(QPalette::Window, QColor(53, 53, 53));
        palette.setColor(QPalette::WindowText, Qt::white);
        window_->setPalette(palette);
    };
    if (dark)
        darken();

    QTest::mouseClick(find("Calculate"), Qt::LeftButton);
    for (const QString& step : steps) {
        if (step.contains('='))
            find<QLineEdit>(step.section('=', 0, 0).toLatin1())->setText(step.section('=', 1));
        else if (step == "dark")
            darken();
        else
            QTest::mouseClick(find(step.toLatin1()), Qt::LeftButton);
    }

    const QColor background = find("Frame1")->palette().color(QPalette::Window);
    for (const char* name : {"Label25", "Label27", "Label26", "Label24", "Label29", "Label31", "Label32", "Label33"}) {
        auto* label = find<QLabel>(name);
        // The text's own colour is where a stroke covers a pixel whole: the
        // pixel that stands out most from the frame.
        const QImage shot = label->grab().toImage();
        double contrast = 1;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                contrast = std::max(contrast, contrastRatio(shot.pixelColor(x, y), background));
        QVERIFY2(outOfDate ? contrast >= 4.5 && contrast <= 9 : contrast > 9,
                 qPrintable(QString("%1 at a contrast of %2").arg(name).arg(contrast)));
        const QString description = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Description);
        QVERIFY2(description.contains("from before the last change") == outOfDate, qPrintable(description));
    }
}

void MainWindowTest::failedCalculationKeepsTheCaptionsAndTellsWhy()
{
    find<QLineEdit>("Text26")->setText("7");
    QTest::mouseClick(find("Calculate"), Qt::LeftButton);

    QCOMPARE(caption("Label25"), "Total Gems: N/A");
    QCOMPARE(caption("Label33"), "New Level: N/A");
    auto* warning = window_->findChild<QMessageBox*>();
    QVERIFY(warning);
    QCOMPARE(warning->text(), "Level 7 is not in levels.txt, which lists 5 levels.");
    QVERIFY((warning->geometry().center() - window_->geometry().center()).manhattanLength() <= 2);
    warning->accept();
    QTRY_VERIFY(!window_->findChild<QMessageBox*>());
}

void MainWindowTest::fractionalNewXpUsesTheLocaleSeparator()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    showWindow("[LEVEL=1 XP=0]\r\n[LEVEL=2 XP=100.5]");
    QLocale::setDefault(previous);

    find<QLineEdit>("Text26")->setText("2");
    QTest::mouseClick(find("Calculate"), Qt::LeftButton);
    QCOMPARE(caption("Label29"), "Old XP: 100.5");
    QCOMPARE(caption("Label31"), "New XP: 100,5");
}

void MainWindowTest::levelListsShowTheTableAsRead_data()
{
    QTest::addColumn<QByteArray>("levels");
    QTest::addColumn<QString>("firstLabel");

    // clang-format off
    QTest::newRow("8-bit file as Latin-1") << QByteArray("[LEVEL=Neuf\xe9 XP=0]\r\n[LEVEL=2 XP=5] XP=9]") << QString::fromUtf8("Neuf\u00e9");
    QTest::newRow("UTF-8 file as UTF-8") << QByteArray("[LEVEL=Neuf\xc3\xa9 XP=0]\n[LEVEL=2 XP=5] XP=9]") << QString::fromUtf8("Neuf\u00e9");
    // clang-format on
}

void MainWindowTest::levelListsShowTheTableAsRead()
{
    QFETCH(QByteArray, levels);
    QFETCH(QString, firstLabel);
    showWindow(levels);
    auto* labels = find<QListView>("List1")->model();
    auto* thresholds = find<QListView>("List2")->model();
    QTRY_COMPARE(labels->rowCount(), 2);
    QCOMPARE(labels->index(0, 0).data().toString(), firstLabel);
    QCOMPARE(thresholds->rowCount(), 3);
    QCOMPARE(thresholds->index(2, 0).data().toString(), "9");
    QVERIFY(!window_->centralWidget()->rect().intersects(find("List1")->geometry()));
    QVERIFY(window_->startupWarning().contains("line 2 has two XP values"));

    // Keys and clicks on the lists change nothing.
    find("List1")->setFocus();
    QTest::keyClick(find("List1"), Qt::Key_F2);
    QTest::keyClicks(find("List1"), "x");
    QCOMPARE(labels->index(0, 0).data().toString(), firstLabel);
    QVERIFY(!(labels->flags(labels->index(0, 0)) & Qt::ItemIsEditable));

    window_ = std::make_unique<MainWindow>();
    {
        auto loaded = loadLevels(dir_.filePath("missing.txt"));
        window_->setLevels(std::move(loaded.levels), loaded.warningText);
    }
    window_->show();
    QCOMPARE(find<QListView>("List1")->model()->rowCount(), 0);
    QVERIFY(window_->startupWarning().contains("missing.txt"));

    // The lists lay out every row of the table only once the window stands
    // on the screen; the table itself is there from the start.
    window_ = std::make_unique<MainWindow>();
    {
        auto loaded = loadLevels(dir_.filePath("levels.txt"));
        window_->setLevels(std::move(loaded.levels), loaded.warningText);
    }
    QCOMPARE(window_->levelTable().labelCount(), 2u);
    QCOMPARE(find<QListView>("List1")->model()->rowCount(), 0);
    window_->show();
    QTRY_COMPARE(find<QListView>("List1")->model()->rowCount(), 2);
}

// Resizing moves and widens only the status bar; the window cannot be made
// smaller than its frames, which hold every control the player uses.
void MainWindowTest::resizingMovesOnlyTheStatusBar_data()
{
    QTest::addColumn<QSize>("change");
    QTest::addColumn<QSize>("client"); // the size of the window's client area, above the status bar

    QTest::newRow("wider and taller") << QSize(200, 100) << QSize(968, 475);
    QTest::newRow("as small as it can be made") << QSize(-2000, -2000) << QSize(761, 369);
}

void MainWindowTest::resizingMovesOnlyTheStatusBar()
{
    QFETCH(QSize, change);
    QFETCH(QSize, client);
    QList<QRect> frames;
    for (const char* name : {"Lapidors", "Frame2", "Frame1"})
        frames << find(name)->geometry();
    const int panels[] = {find("Panel1")->width(), find("Panel2")->width(), find("Panel3")->width()};
    const int width = window_->width();

    window_->resize(window_->size() + change);
    QTRY_COMPARE(find("sbStatusBar")->width(), window_->width());
    QCOMPARE(window_->centralWidget()->size(), client);
    for (const char* name : {"Lapidors", "Frame2", "Frame1"}) {
        QCOMPARE(find(name)->geometry(), frames.takeFirst());
        QVERIFY2(window_->centralWidget()->rect().contains(find(name)->geometry()), name);
    }
    QCOMPARE(find("Panel1")->width(), panels[0]);
    QCOMPARE(find("Panel2")->width(), panels[1]);
    QCOMPARE(find("Panel3")->width(), panels[2] + window_->width() - width);
}

// With a larger font the status bar grows, and the window with it, so that
// the form keeps its height; each panel is as wide as its text needs.
void MainWindowTest::statusBarFitsItsFont_data()
{
    QTest::addColumn<int>("points"); // 0: the toolkit's default font
    QTest::addColumn<bool>("whileOpen");

    // clang-format off
    QTest::newRow("the toolkit's default font") << 0 << false;
    QTest::newRow("DejaVu Sans 16") << 16 << false;
    QTest::newRow("DejaVu Sans 24") << 24 << false;
    QTest::newRow("DejaVu Sans 16, chosen while the window is open") << 16 << true;
    // clang-format on
}

void MainWindowTest::statusBarFitsItsFont()
{
    QFETCH(int, points);
    QFETCH(bool, whileOpen);
    const QFont font = points ? QFont("DejaVu Sans", points) : QApplication::font();
    const QFont previous = QApplication::font();
    if (!whileOpen) {
        QApplication::setFont(font);
        init();
    }
    QApplication::setFont(font);
    const auto restore = qScopeGuard([&] { QApplication::setFont(previous); });
    auto* bar = find("sbStatusBar");
    QTRY_COMPARE(bar->font(), font);

    int textHeight = 0;
    for (const char* name : {"Panel1", "Panel2", "Panel3"}) {
        auto* panel = find<QLabel>(name);
        textHeight = std::max(textHeight, panel->fontMetrics().height());
        QTRY_VERIFY2(panel->fontMetrics().horizontalAdvance(panel->text()) <= panel->contentsRect().width(),
                     qPrintable(QString("%1 clips \"%2\"").arg(name, panel->text())));
        QVERIFY(panel->width() >= 96);
    }
    QTRY_COMPARE(bar->height(), std::max(18, textHeight + 5));
    QTRY_COMPARE(window_->centralWidget()->size(), QSize(768, 375));
}

// The panels wake just after each minute begins, again and again: here on
// a clock whose every minute passes in a moment, across midnight.
void MainWindowTest::clockPanelsFollowTheMinutes()
{
    QDateTime now(QDate(2026, 12, 7), QTime(23, 58, 59, 990));
    int readings = 0;
    ClockStatusBar bar("Lapidor", 96, 18, nullptr, [&] {
        ++readings;
        const QDateTime reading = now;
        now = now.addSecs(60); // the next reading is 10 ms before the minute after
        return reading;
    });
    const QLocale locale;
    const auto shown = [&](const QDateTime& at) {
        return QStringList{locale.toString(at.date(), QLocale::ShortFormat),
                           locale.toString(at.time(), withoutSeconds(locale.timeFormat(QLocale::ShortFormat)))};
    };
    QCOMPARE((QStringList{bar.panelText(2), bar.panelText(3)}), shown(QDateTime(QDate(2026, 12, 7), QTime(23, 58))));
    QTRY_COMPARE((QStringList{bar.panelText(2), bar.panelText(3)}), shown(QDateTime(QDate(2026, 12, 8), QTime(0, 1))));
    QVERIFY(readings >= 4);
}

// Under a German locale the window, its warnings and its report speak
// German, and the German captions fit their labels without a smaller font.
void MainWindowTest::speaksGerman()
{
    const QFont englishFont = find("r")->font();
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    installTranslations(*qApp);
    const auto restore = qScopeGuard([&] {
        for (auto* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        QLocale::setDefault(previous);
    });
    init();

    QCOMPARE(window_->windowTitle(), "Lapidor :: Von Edda Rowan");
    QCOMPARE(caption("r"), "Roher Achat:");
    QCOMPARE(caption("Label23"), "Geschliffener Saphir:");
    QCOMPARE(caption("Label33"), "Neue Stufe: k. A.");
    QCOMPARE(find("r")->toolTip(), "Roher Achat: 5.000 XP je Stein");
    captionsShowWhole();
    QVERIFY(find("r")->font().pointSizeF() >= englishFont.pointSizeF());
    // Its longer words for finely cut stones narrow the font a little: by a tenth at most.
    QVERIFY(find("r")->font().stretch() * 10 >= englishFont.stretch() * 9);

    find<QLineEdit>("Text26")->setText("7");
    QTest::mouseClick(find("Calculate"), Qt::LeftButton);
    QTRY_VERIFY(window_->findChild<QMessageBox*>());
    QCOMPARE(window_->findChild<QMessageBox*>()->text(),
             "Stufe 7 steht nicht in levels.txt; die Datei enthält nur 5 Stufen.");

    window_ = std::make_unique<MainWindow>();
    {
        auto loaded = loadLevels(dir_.filePath("missing.txt"));
        window_->setLevels(std::move(loaded.levels), loaded.warningText);
    }
    QVERIFY2(window_->startupWarning().startsWith("Die Datei „missing.txt“ im Ordner „"),
             qPrintable(window_->startupWarning()));
    QVERIFY2(
        window_->startupWarning().contains("“ konnte nicht gelesen werden: Datei oder Verzeichnis nicht gefunden."),
        qPrintable(window_->startupWarning()));

    // A value from the file stands in German quotation marks too.
    QFile typo(dir_.filePath("typo.txt"));
    QVERIFY(typo.open(QIODevice::WriteOnly) && typo.write("[LEVEL=1 XP=0]\n[LEVEL=2 XP=24O0]\n") > 0);
    typo.close();
    const QString told = loadLevels(typo.fileName()).warningText;
    QVERIFY2(told.contains("Zeile 2 gibt den XP-Wert „24O0“ an"), qPrintable(told));
}

// In a language Lapidor has no translation for, Qt's own words for it
// (the line edits' context menu) stay out too, so that a window never
// mixes two languages.
void MainWindowTest::speaksEnglishWhereItHasNoTranslation()
{
    const QLocale french(QLocale::French, QLocale::France);
    QTranslator qtFrench;
    if (!qtFrench.load(french, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QSKIP("Qt has no French words here to leave out");
    const QLocale previous;
    QLocale::setDefault(french);
    installTranslations(*qApp);
    const auto restore = qScopeGuard([&] { QLocale::setDefault(previous); });

    QVERIFY(qApp->findChildren<QTranslator*>().isEmpty());
    QCOMPARE(QCoreApplication::translate("QLineEdit", "&Paste"), "&Paste");
    init();
    QCOMPARE(caption("r"), "Rough Agate:");
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
