#include "ui/main/MainWindow.h"

#include "ui/about/AboutDialog.h"
#include "calc/Calculation.h"
#include "ui/main/ClockStatusBar.h"
#include "ui/Credits.h"
#include "ui/DesignFont.h"
#include "ui/main/DigitKeyFilter.h"
#include "ui/main/EntryRules.h"
#include "ui/main/FittedFont.h"
#include "calc/GemCatalogue.h"
#include "levels/LevelsReader.h"
#include "ui/main/MainWindowLayout.h"
#include "ui/main/TitledFrame.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <filesystem>
#include <limits>

namespace lapidor {

namespace {

// A text longer than anyone could read is shown cut short, so that a freak
// levels file cannot stall the window laying out megabytes of one label.
constexpr qsizetype longestShown = 1000;

QString shown(QString text)
{
    if (text.size() > longestShown) {
        text.truncate(longestShown);
        text += QChar(0x2026);
    }
    return text;
}

QString fromView(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// Labels and thresholds are the levels file's 8-bit text, read as Latin-1.
QString fromLevelsFile(std::string_view bytes)
{
    return shown(QString::fromLatin1(bytes.data(), qsizetype(std::min(bytes.size(), std::size_t(longestShown) + 1))));
}

// The font of labels, fields and the Calculate button, fitted to the fixed
// captions of the gem grid and the options frame.
QFont fittedControlFont()
{
    QList<CaptionWidth> captions;
    for (std::size_t i = 0; i < GemCatalogue.size(); ++i)
        captions.append({fromView(GemCatalogue[i].caption), pixels(layout::gemLabelWidths[i])});
    for (const auto* row : {&layout::levelRow, &layout::experienceRow})
        captions.append({QString::fromLatin1(row->labelCaption), pixels(row->labelWidth)});
    return fittedFont(tahomaBold(8.25), captions);
}

QGroupBox* addFrame(QWidget* parent, const layout::Frame& frame)
{
    auto* box = new TitledFrame(QString::fromLatin1(frame.caption), QColor(0, 0, 192), parent);
    box->setObjectName(QString::fromLatin1(frame.name));
    box->setGeometry(frame.rect.toPixels());
    box->setFont(tahomaBold(9));
    return box;
}

QStringList toStringList(const std::vector<std::string>& items)
{
    QStringList list;
    list.reserve(qsizetype(items.size()));
    for (const auto& item : items)
        list << fromLevelsFile(item);
    return list;
}

} // namespace

MainWindow::MainWindow(const QString& levelsFile, QWidget* parent)
    : QMainWindow(parent)
    , levelsFile_(levelsFile)
    , controlFont_(fittedControlFont())
    , keyFilter_(new DigitKeyFilter(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Lapidor :: By ") + authorName);

    auto* clientArea = new QWidget(this);
    setCentralWidget(clientArea);
    createGemGrid(addFrame(clientArea, layout::gemFrame));
    createStartOptions(addFrame(clientArea, layout::optionsFrame));
    createOutput(addFrame(clientArea, layout::outputFrame));
    createLevelLists(clientArea);
    createMenus();
    createStatusBar();

    resize(pixels(layout::clientWidth), menuBar()->sizeHint().height() + pixels(layout::clientHeight));
    gemFields_.front()->setFocus();
}

void MainWindow::createMenus()
{
    auto* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("mnuFile"));
    auto* exitItem = fileMenu->addAction(QStringLiteral("E&xit"));
    exitItem->setObjectName(QStringLiteral("mnuFileExit"));
    connect(exitItem, &QAction::triggered, this, &QWidget::close);

    auto* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->setObjectName(QStringLiteral("mnuHelp"));
    auto* aboutItem = helpMenu->addAction(QStringLiteral("&About "));
    aboutItem->setObjectName(QStringLiteral("mnuHelpAbout"));
    connect(aboutItem, &QAction::triggered, this, &MainWindow::mnuHelpAbout_Click);
}

void MainWindow::createGemGrid(QWidget* frame)
{
    for (std::size_t i = 0; i < GemCatalogue.size(); ++i) {
        const auto& gem = GemCatalogue[i];
        const auto& column = gem.state == GemState::Rough ? layout::roughColumn : layout::finelyCutColumn;
        const int top = layout::gemRowTop(int(i % 12));
        addLabel(frame, gem.labelName.data(), fromView(gem.caption),
                 {column.labelLeft, top, layout::gemLabelWidths[i], layout::gemLabelHeight});
        gemFields_[i] = addField(frame, gem.countField.data(), QStringLiteral("0"),
                                 {column.fieldLeft, top, layout::gemFieldWidth, layout::gemFieldHeight}, clampGemCount);
    }

    calculateButton_ = new QPushButton(QStringLiteral("Calculate"), frame);
    calculateButton_->setObjectName(QStringLiteral("Calculate"));
    calculateButton_->setGeometry(layout::calculateButton.toPixels());
    calculateButton_->setFont(controlFont_);
    calculateButton_->setAutoDefault(false);
    connect(calculateButton_, &QPushButton::clicked, this, &MainWindow::Calculate_Click);
}

void MainWindow::createStartOptions(QWidget* frame)
{
    const auto addRow = [&](const layout::StartRow& row, EntryRule rule) {
        auto* option = new QRadioButton(frame);
        option->setObjectName(QString::fromLatin1(row.optionName));
        option->setGeometry(TwipsRect{layout::optionLeft, row.top, layout::optionSize, layout::optionSize}.toPixels());
        addLabel(frame, row.labelName, QString::fromLatin1(row.labelCaption),
                 {layout::startLabelLeft, row.top, row.labelWidth, layout::startLabelHeight});
        auto* field = addField(frame, row.fieldName, QString::fromLatin1(row.initialText),
                               {layout::startFieldLeft, row.top, row.fieldWidth, layout::startFieldHeight}, rule);
        return std::pair(option, field);
    };
    std::tie(levelOption_, levelField_) = addRow(layout::levelRow, clampLevel);
    std::tie(experienceOption_, experienceField_) = addRow(layout::experienceRow, clampExperience);

    // The two buttons share the frame, so they form one exclusive group.
    levelOption_->setChecked(true);
    experienceField_->setEnabled(false);
    connect(levelOption_, &QRadioButton::toggled, this, [this](bool levelSelected) {
        levelField_->setEnabled(levelSelected);
        experienceField_->setEnabled(!levelSelected);
    });
}

void MainWindow::createOutput(QWidget* frame)
{
    for (const auto& row : layout::outputRows) {
        const auto line = std::find_if(reportLines.begin(), reportLines.end(),
                                       [&](const ReportLine& l) { return l.labelName == row.labelName; });
        reportLabels_[std::size_t(line - reportLines.begin())] =
            addLabel(frame, row.labelName, fromView(line->prefix) + QStringLiteral("N/A"),
                     {layout::outputLabelLeft, row.top, layout::outputLabelWidth, layout::outputLabelHeight});
    }

    auto* separator = new QFrame(frame);
    separator->setObjectName(QStringLiteral("Line1"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Plain);
    separator->setGeometry(layout::outputLine.toPixels());
}

void MainWindow::createLevelLists(QWidget* clientArea)
{
    const auto addList = [&](const char* name, const TwipsRect& rect) {
        auto* list = new QListWidget(clientArea);
        list->setObjectName(QString::fromLatin1(name));
        list->setGeometry(rect.toPixels());
        // Every row is one line of text, so the view need not measure
        // thousands of rows one by one; and it lays them out in batches
        // once the window stands, rather than before it first appears.
        list->setUniformItemSizes(true);
        list->setLayoutMode(QListView::Batched);
        return list;
    };
    labelList_ = addList("List1", layout::levelLabelList);
    thresholdList_ = addList("List2", layout::levelThresholdList);
}

void MainWindow::createStatusBar()
{
    auto* bar = new ClockStatusBar(QStringLiteral("Lapidor"), pixels(layout::statusPanelWidth), this);
    bar->setObjectName(QStringLiteral("sbStatusBar"));
    bar->setFixedHeight(pixels(layout::statusBarHeight));
    setStatusBar(bar);
}

QLabel* MainWindow::addLabel(QWidget* parent, const char* name, const QString& caption, const TwipsRect& rect)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect.toPixels());
    label->setFont(controlFont_);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLineEdit* MainWindow::addField(QWidget* parent, const char* name, const QString& text, const TwipsRect& rect,
                                EntryRule rule)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(rect.toPixels());
    field->setFont(controlFont_);
    field->setAlignment(Qt::AlignCenter);
    field->setMaxLength(std::numeric_limits<int>::max()); // the entry rules are the only limit
    field->installEventFilter(keyFilter_);
    // A replacement changes the text again and runs the rule once more,
    // which then keeps it.
    connect(field, &QLineEdit::textChanged, field, [field, rule](const QString& changed) {
        const QString kept = rule(changed);
        if (kept != changed)
            field->setText(kept);
    });
    return field;
}

void MainWindow::setVisible(bool visible)
{
    const bool firstShow = visible && !loaded_;
    if (firstShow) {
        loaded_ = true;
        Form_Load();
    }
    QMainWindow::setVisible(visible);
    // Told once, over the window once it stands on the screen.
    if (firstShow && !levelsFileError_.isEmpty())
        QMetaObject::invokeMethod(
            this,
            [this] {
                warn(levelsFileError_
                     + QStringLiteral("\n\nLevels cannot be looked up until the file is there. "
                                      "Calculations from your current experience still add up your gems."));
            },
            Qt::QueuedConnection);
}

// Fills the level table, and the lists that show it, from the levels file.
void MainWindow::Form_Load()
{
    labelList_->clear();
    thresholdList_->clear();
    auto file = readLevelsFile(std::filesystem::path(levelsFile_.toStdU16String()));
    table_ = std::move(file.table);
    levelsFileError_ = QString::fromLocal8Bit(file.error.data(), qsizetype(file.error.size()));
    labelList_->addItems(toStringList(table_.List1));
    thresholdList_->addItems(toStringList(table_.List2));
}

void MainWindow::Calculate_Click()
{
    CalculationInput input;
    if (levelOption_->isChecked()) {
        input.Mode = StartMode::CurrentLevel;
        input.LevelText = levelField_->text().toStdString();
    }
    if (experienceOption_->isChecked()) {
        input.Mode = StartMode::CurrentExperience;
        input.ExperienceText = experienceField_->text().toStdString();
    }
    for (std::size_t i = 0; i < gemFields_.size(); ++i)
        input.CountTexts[i] = gemFields_[i]->text().toStdString();
    input.DecimalSeparator = locale().decimalPoint().toStdString();

    const auto result = CalculateReport(table_, input);
    if (!result.report) {
        warn(fromView(result.failure));
        return;
    }

    for (std::size_t i = 0; i < reportLines.size(); ++i) {
        const auto& line = reportLines[i];
        reportLabels_[i]->setText(fromView(line.prefix) + shown(fromView((*result.report).*line.value)));
    }
}

void MainWindow::mnuHelpAbout_Click()
{
    if (!about_)
        about_ = new AboutDialog(this);
    about_->showModal();
}

// A warning over the window that blocks it until read, without blocking the caller.
void MainWindow::warn(const QString& message)
{
    auto* warning = new QMessageBox(QMessageBox::Warning, QStringLiteral("Lapidor"), message, QMessageBox::Ok, this);
    warning->setAttribute(Qt::WA_DeleteOnClose);
    warning->open();
}

QWidget* MainWindow::selectedOption() const
{
    return experienceOption_->isChecked() ? experienceOption_ : levelOption_;
}

// Tab visits the gem fields down each column, then Calculate, the selected
// option button (the pair is one stop), the experience and level fields and
// the two level lists. Disabled controls are passed over.
bool MainWindow::focusNextPrevChild(bool next)
{
    std::vector<QWidget*> stops(gemFields_.begin(), gemFields_.end());
    stops.insert(stops.end(), {calculateButton_, selectedOption(), experienceField_, levelField_, labelList_,
                               thresholdList_});

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

void MainWindow::closeEvent(QCloseEvent* event)
{
    emit unloading();
    QMainWindow::closeEvent(event);
}

} // namespace lapidor
