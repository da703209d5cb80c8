#pragma once

#include "calc/Calculation.h"
#include "calc/LevelLookup.h"

#include <QFont>
#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QListView;
class QPushButton;
class QRadioButton;

namespace lapidor {

class AboutDialog;
class EntryField;
class LevelListModel;
class ReportLabel;
class SpokenNotice;
struct EntryRule;
struct TwipsRect;

// The program's working window: the gem grid, the start options, the report
// and the two lists that show the level table read from the levels file.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The level table, ready for lookups, and what the player must hear
    // about its file. Start-up hands them in once, before it shows the
    // window; the warning is told once the window stands on the screen.
    void setLevels(LevelLookup levels, const QString& warning);

    const LevelTable& levelTable() const { return levels_->table(); }
    // What the user is told about the levels file; empty for a well-formed one.
    const QString& startupWarning() const { return startupWarning_; }

signals:
    // The window is closing; it closes whatever happens next.
    void closing();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void createMenus();
    void createGemGrid(QWidget* frame);
    void createStartOptions(QWidget* frame);
    void createOutput(QWidget* frame);
    void createLevelLists(QWidget* clientArea);
    void createStatusBar();

    template <typename Label = QLabel>
    Label* addLabel(QWidget* parent, const char* name, const QString& caption, const TwipsRect& rect);
    EntryField* addField(QWidget* parent, const char* name, const QString& text, const TwipsRect& rect,
                         const EntryRule& rule);

    int barsHeight() const;
    void keepFormHeight();

    void calculate();
    CalculationInput enteredInput() const;
    void markReportOutOfDate();
    void sayReport();
    void showTableInLists();
    void showAbout();
    QWidget* selectedOption() const;
    std::array<EntryField*, 26> entryFields() const; // the gem fields, then experience and level

    std::shared_ptr<const LevelLookup> levels_ = std::make_shared<const LevelLookup>();
    QString startupWarning_;
    bool warningShown_ = false;
    bool listsShowTable_ = false;                 // once the window has first stood on the screen
    std::optional<CalculationInput> reportInput_; // what the report on show was worked out from
    int barsHeight_ = 0; // of the menu bar and the status bar, as the window was last sized for them

    const QFont controlFont_;
    std::array<EntryField*, 24> gemFields_{};
    QPushButton* calculateButton_ = nullptr;
    QRadioButton* levelOption_ = nullptr;
    QRadioButton* experienceOption_ = nullptr;
    EntryField* levelField_ = nullptr;
    EntryField* experienceField_ = nullptr;
    std::array<ReportLabel*, 8> reportLabels_{}; // in the order the report is written
    SpokenNotice* reportNotice_ = nullptr;
    LevelListModel* labelModel_ = nullptr;
    LevelListModel* thresholdModel_ = nullptr;
    QListView* labelList_ = nullptr;
    QListView* thresholdList_ = nullptr;
    AboutDialog* about_ = nullptr; // made on first use, then kept
};

} // namespace lapidor
