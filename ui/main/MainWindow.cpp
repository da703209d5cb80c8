#include "ui/main/MainWindow.h"

#include "calc/Calculation.h"
#include "calc/GemCatalogue.h"
#include "text/ShownText.h"
#include "ui/AccessibleRoles.h"
#include "ui/Credits.h"
#include "ui/DesignFont.h"
#include "ui/WarningBox.h"
#include "ui/about/AboutDialog.h"
#include "ui/main/ClockStatusBar.h"
#include "ui/main/EnterClickButton.h"
#include "ui/main/EntryField.h"
#include "ui/main/FittedFont.h"
#include "ui/main/LevelListModel.h"
#include "ui/main/MainWindowLayout.h"
#include "ui/main/ReportLabel.h"
#include "ui/main/SeparatorLine.h"
#include "ui/main/SpokenNotice.h"
#include "ui/main/TitledFrame.h"
#include "ui/main/WhenExposed.h"
#include "ui/words/CalculationFailureText.h"
#include "ui/words/GemNames.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QRadioButton>
#include <QSizeGrip>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace lapidor {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A caption beside its field: "Current Level:".
QString captionOf(const char* name)
{
    return fieldCaption(MainWindow::tr(name));
}

// The font of labels, fields and the Calculate button, fitted to the fixed
// captions of the gem grid and the options frame.
QFont fittedControlFont()
{
    QList<CaptionWidth> captions;
    for (std::size_t i = 0; i < gemCatalogue.size(); ++i)
        captions.append({gemCaption(i), pixels(layout::gemRows[i].labelWidth)});
    for (const auto* row : {&layout::levelRow, &layout::experienceRow})
        captions.append({captionOf(row->name), pixels(row->labelWidth)});
    return fittedFont(tahomaBold(8.25), captions);
}

QGroupBox* addFrame(QWidget* parent, const layout::Frame& frame)
{
    auto* box = new TitledFrame(MainWindow::tr(frame.caption), QColor(0, 0, 192), parent);
    box->setObjectName(QString::fromLatin1(frame.name));
    box->setGeometry(frame.rect.toPixels());
    box->setFont(tahomaBold(9));
    return box;
}

// A screen reader reads a frame's controls in the order they were made.
// Raising each in the order a sighted reader reads them, top to bottom and
// left to right, sets that order without moving anything.
void readInScreenOrder(QWidget* frame)
{
    auto controls = frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::stable_sort(controls.begin(), controls.end(), [](const QWidget* a, const QWidget* b) {
        return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
    for (auto* control : controls)
        control->raise();
}

// The toolkit's own font for a widget, whole, so that nothing of its
// container's font carries over.
QFont toolkitFont(const QWidget* widget)
{
    QFont font = QApplication::font(widget);
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , controlFont_(fittedControlFont())
{
    installAccessibleRoles();
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(tr("Lapidor :: By %1").arg(authorName));

    auto* clientArea = new QWidget(this);
    setCentralWidget(clientArea);
    createGemGrid(addFrame(clientArea, layout::gemFrame));
    createStartOptions(addFrame(clientArea, layout::optionsFrame));
    createOutput(addFrame(clientArea, layout::outputFrame));
    createLevelLists(clientArea);
    for (const auto* frame : {&layout::optionsFrame, &layout::outputFrame})
        readInScreenOrder(clientArea->findChild<QWidget*>(QString::fromLatin1(frame->name)));
    reportNotice_ = new SpokenNotice(clientArea);
    createMenus();
    createStatusBar();

    // The frames hold every control the player uses; the window can be made
    // no smaller than they are. (The level lists stand below on purpose.)
    QRect frames;
    for (const auto* frame : {&layout::gemFrame, &layout::optionsFrame, &layout::outputFrame})
        frames |= frame->rect.toPixels();
    clientArea->setMinimumSize(frames.right() + 1, frames.bottom() + 1);

    const int formHeight = pixels(layout::clientHeight) - pixels(layout::statusBarHeight);
    barsHeight_ = barsHeight();
    resize(pixels(layout::clientWidth), formHeight + barsHeight_);
    // Selected, as Tab would select it, so that the first digit typed replaces the 0.
    gemFields_.front()->setFocus();
    gemFields_.front()->selectAll();
}

void MainWindow::createMenus()
{
    auto* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->setObjectName(QStringLiteral("mnuFile"));
    auto* exitItem = fileMenu->addAction(tr("E&xit"));
    exitItem->setObjectName(QStringLiteral("mnuFileExit"));
    connect(exitItem, &QAction::triggered, this, &QWidget::close);

    auto* helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->setObjectName(QStringLiteral("mnuHelp"));
    auto* aboutItem = helpMenu->addAction(tr("&About "));
    aboutItem->setObjectName(QStringLiteral("mnuHelpAbout"));
    connect(aboutItem, &QAction::triggered, this, &MainWindow::showAbout);

    // For a screen reader, each menu is named by its title, the menu bar by
    // its menus; the bar stands first on the screen, so it is read first.
    QStringList titles;
    for (auto* menu : {fileMenu, helpMenu}) {
        titles << menu->menuAction()->iconText(); // the title without its "&"
        menu->setAccessibleName(titles.back());
    }
    menuBar()->setAccessibleName(QLocale().createSeparatedList(titles));
    menuBar()->lower();
}

void MainWindow::createGemGrid(QWidget* frame)
{
    for (std::size_t i = 0; i < gemCatalogue.size(); ++i) {
        const auto& row = layout::gemRows[i];
        const auto& column = gemCatalogue[i].state == GemState::Rough ? layout::roughColumn : layout::finelyCutColumn;
        const int top = layout::gemRowTop(int(i % 12));
        auto* label = addLabel(frame, row.labelName, gemCaption(i),
                               {column.labelLeft, top, row.labelWidth, layout::gemLabelHeight});
        gemFields_[i] = addField(frame, row.fieldName, QStringLiteral("0"),
                                 {column.fieldLeft, top, layout::gemFieldWidth, layout::gemFieldHeight}, gemCountRule);
        label->setBuddy(gemFields_[i]); // a screen reader names the field by its label
        const QString worth = tr("%1: %2 XP each").arg(gemName(i), locale().toString(int(gemCatalogue[i].xpPerGem)));
        label->setToolTip(worth);
        gemFields_[i]->setToolTip(worth);
    }

    calculateButton_ = new EnterClickButton(tr("Calculate"), frame);
    calculateButton_->setObjectName(QStringLiteral("Calculate"));
    calculateButton_->setGeometry(layout::calculateButton.toPixels());
    calculateButton_->setFont(controlFont_);
    calculateButton_->setAutoDefault(false);
    connect(calculateButton_, &QPushButton::clicked, this, &MainWindow::calculate);
}

void MainWindow::createStartOptions(QWidget* frame)
{
    const auto addRow = [&](const layout::StartRow& row, const EntryRule& rule) {
        auto* option = new QRadioButton(frame);
        option->setObjectName(QString::fromLatin1(row.optionName));
        option->setGeometry(TwipsRect{layout::optionLeft, row.top, layout::optionSize, layout::optionSize}.toPixels());
        option->setFont(toolkitFont(option)); // not the frame's caption font
        option->setAccessibleName(tr(row.name));
        auto* label = addLabel(frame, row.labelName, captionOf(row.name),
                               {layout::startLabelLeft, row.top, row.labelWidth, layout::startLabelHeight});
        auto* field = addField(frame, row.fieldName, QString::fromLatin1(row.initialText),
                               {layout::startFieldLeft, row.top, row.fieldWidth, layout::startFieldHeight}, rule);
        label->setBuddy(field);
        return std::pair(option, field);
    };
    std::tie(levelOption_, levelField_) = addRow(layout::levelRow, levelRule);
    std::tie(experienceOption_, experienceField_) = addRow(layout::experienceRow, experienceRule);

    // The two buttons share the frame, so they form one exclusive group.
    levelOption_->setChecked(true);
    experienceField_->setEnabled(false);
    connect(levelOption_, &QRadioButton::toggled, this, [this](bool levelSelected) {
        levelField_->setEnabled(levelSelected);
        experienceField_->setEnabled(!levelSelected);
        markReportOutOfDate();
    });
}

void MainWindow::createOutput(QWidget* frame)
{
    for (std::size_t i = 0; i < layout::reportRows.size(); ++i) {
        const auto& row = layout::reportRows[i];
        reportLabels_[i] = addLabel<ReportLabel>(
            frame, row.labelName, tr(row.prefix) + tr("N/A"),
            {layout::outputLabelLeft, row.top, layout::outputLabelWidth, layout::outputLabelHeight});
    }

    auto* separator = new SeparatorLine(frame);
    separator->setObjectName(QStringLiteral("Line1"));
    separator->setGeometry(layout::outputLine.toPixels());
}

void MainWindow::createLevelLists(QWidget* clientArea)
{
    const auto addList
        = [&](const char* name, const QString& accessibleName, LevelListModel* model, const TwipsRect& rect) {
              auto* list = new QListView(clientArea);
              hideFromScreenReaders(list); // no one sees it at the window's size
              list->setObjectName(QString::fromLatin1(name));
              list->setAccessibleName(accessibleName);
              list->setGeometry(rect.toPixels());
              list->setModel(model);
              // They stand below the window's design height, where a
              // focused list could not be seen; Tab passes them over.
              list->setFocusPolicy(Qt::NoFocus);
              // Every row is one line of text, so the view need not measure
              // thousands of rows one by one; and it lays them out in batches,
              // between other events.
              list->setUniformItemSizes(true);
              list->setLayoutMode(QListView::Batched);
              return list;
          };
    labelModel_ = new LevelListModel(LevelListModel::Column::Labels, this);
    thresholdModel_ = new LevelListModel(LevelListModel::Column::Thresholds, this);
    labelList_ = addList("List1", tr("Level labels"), labelModel_, layout::levelLabelList);
    thresholdList_ = addList("List2", tr("Level XP values"), thresholdModel_, layout::levelThresholdList);
}

void MainWindow::createStatusBar()
{
    auto* bar
        = new ClockStatusBar(tr("Lapidor"), pixels(layout::statusPanelWidth), pixels(layout::statusBarHeight), this);
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    bar->setAccessibleName(tr("Status bar"));
    if (auto* grip = bar->findChild<QSizeGrip*>())
        hideFromScreenReaders(grip); // only for the mouse
    setStatusBar(bar);
    connect(bar, &ClockStatusBar::heightFitted, this, &MainWindow::keepFormHeight);
}

template <typename Label>
Label* MainWindow::addLabel(QWidget* parent, const char* name, const QString& caption, const TwipsRect& rect)
{
    auto* label = new Label(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect.toPixels());
    label->setFont(controlFont_);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText); // report captions quote the levels file and the fields
    return label;
}

EntryField* MainWindow::addField(QWidget* parent, const char* name, const QString& text, const TwipsRect& rect,
                                 const EntryRule& rule)
{
    auto* field = new EntryField(text, rule, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(rect.toPixels());
    field->setFont(controlFont_);
    field->setAlignment(Qt::AlignCenter);
    connect(field, &QLineEdit::textChanged, this, &MainWindow::markReportOutOfDate);
    return field;
}

void MainWindow::setLevels(LevelLookup levels, const QString& warning)
{
    levels_ = std::make_shared<const LevelLookup>(std::move(levels));
    startupWarning_ = warning;
    if (listsShowTable_)
        showTableInLists();
}

// A list lays out every row of the table, tens of thousands of them in a
// large file; the window need not wait for that to appear.
void MainWindow::showTableInLists()
{
    labelModel_->showTable(levels_);
    thresholdModel_->showTable(levels_);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!listsShowTable_)
        whenExposed(this, [this] {
            if (!std::exchange(listsShowTable_, true))
                showTableInLists();
        });
    // Told once, centred over the window once it stands on the screen.
    if (!startupWarning_.isEmpty() && !warningShown_) {
        warningShown_ = true;
        whenExposed(this, [this] { showWarning(this, startupWarning_); });
    }
}

void MainWindow::calculate()
{
    for (auto* field : entryFields())
        field->finishEditing();
    const CalculationInput input = enteredInput();
    const auto result = calculateReport(*levels_, input);
    if (!result.report) {
        showWarning(this, CalculationFailureText::describe(*result.failure));
        return;
    }
    for (std::size_t i = 0; i < layout::reportRows.size(); ++i) {
        const auto& row = layout::reportRows[i];
        const std::string& value = (*result.report).*row.value;
        reportLabels_[i]->setText(tr(row.prefix) + fromUtf8(row.quotesOutsideText ? shownText(value) : value));
    }
    reportInput_ = input;
    markReportOutOfDate();
    sayReport();
}

// The option and the texts a calculation reads, as they stand.
CalculationInput MainWindow::enteredInput() const
{
    CalculationInput input;
    if (levelOption_->isChecked()) {
        input.mode = StartMode::CurrentLevel;
        input.levelText = levelField_->text().toStdString();
    }
    if (experienceOption_->isChecked()) {
        input.mode = StartMode::CurrentExperience;
        input.experienceText = experienceField_->text().toStdString();
    }
    for (std::size_t i = 0; i < gemFields_.size(); ++i)
        input.countTexts[i] = gemFields_[i]->text().toStdString();
    input.decimalSeparator = locale().decimalPoint().toStdString();
    return input;
}

// The report is out of date while what is entered differs from what it was
// worked out from; undoing the change brings it back.
void MainWindow::markReportOutOfDate()
{
    if (!reportInput_)
        return; // no report yet
    const bool outOfDate = enteredInput() != *reportInput_;
    for (auto* label : reportLabels_)
        label->setOutOfDate(outOfDate);
}

// The new report, read out at once in the order it stands on the screen,
// wherever the focus is.
void MainWindow::sayReport()
{
    auto labels = reportLabels_;
    std::sort(labels.begin(), labels.end(), [](const QLabel* a, const QLabel* b) { return a->y() < b->y(); });
    QStringList lines;
    for (const auto* label : labels)
        lines << label->text();
    reportNotice_->say(lines.join(QStringLiteral(". ")));
}

void MainWindow::showAbout()
{
    if (!about_)
        about_ = new AboutDialog(this);
    about_->showModal();
}

QWidget* MainWindow::selectedOption() const
{
    return experienceOption_->isChecked() ? experienceOption_ : levelOption_;
}

std::array<EntryField*, 26> MainWindow::entryFields() const
{
    std::array<EntryField*, 26> fields{};
    std::copy(gemFields_.begin(), gemFields_.end(), fields.begin());
    fields[24] = experienceField_;
    fields[25] = levelField_;
    return fields;
}

// Tab visits the gem fields down each column, then Calculate, the selected
// option button (the pair is one stop), and the experience and level
// fields. Disabled controls are passed over.
bool MainWindow::focusNextPrevChild(bool next)
{
    std::vector<QWidget*> stops(gemFields_.begin(), gemFields_.end());
    stops.insert(stops.end(), {calculateButton_, selectedOption(), experienceField_, levelField_});

    QWidget* current = focusWidget();
    if (current == levelOption_ || current == experienceOption_)
        current = selectedOption();
    const auto at = std::find(stops.begin(), stops.end(), current);
    if (at == stops.end())
        return QMainWindow::focusNextPrevChild(next);

    const auto count = stops.size();
    const auto from = std::size_t(at - stops.begin());
    for (std::size_t step = 1; step < count; ++step) {
        QWidget* candidate = stops[(from + (next ? step : count - step)) % count];
        if (candidate->isEnabled()) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

int MainWindow::barsHeight() const
{
    return menuBar()->sizeHint().height() + statusBar()->height();
}

// The menu bar and the status bar grow with a larger font; the window grows
// with them, so that they take no height from the form.
void MainWindow::keepFormHeight()
{
    const int now = barsHeight();
    if (now != barsHeight_)
        resize(width(), height() + now - barsHeight_);
    barsHeight_ = now;
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Once every bar has its new font.
    if (event->type() == QEvent::FontChange)
        QTimer::singleShot(0, this, &MainWindow::keepFormHeight);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    QMainWindow::closeEvent(event);
}

} // namespace lapidor
