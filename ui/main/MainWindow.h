#pragma once

#include "levels/LevelTable.h"

#include <QFont>
#include <QMainWindow>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace lapidor {

class AboutDialog;
class DigitKeyFilter;
struct TwipsRect;

// The program's working window: the gem grid, the start options, the report
// and the level lists that hold the table read from the levels file.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(const QString& levelsFile, QWidget* parent = nullptr);

    const LevelTable& levelTable() const { return table_; }
    // Why the levels file could not be read at load; empty when it was.
    const QString& levelsFileError() const { return levelsFileError_; }

signals:
    // The window is closing; it closes whatever happens next.
    void unloading();

protected:
    void setVisible(bool visible) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    using EntryRule = QString (*)(const QString&);

    void createMenus();
    void createGemGrid(QWidget* frame);
    void createStartOptions(QWidget* frame);
    void createOutput(QWidget* frame);
    void createLevelLists(QWidget* clientArea);
    void createStatusBar();

    QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, const TwipsRect& rect);
    QLineEdit* addField(QWidget* parent, const char* name, const QString& text, const TwipsRect& rect,
                        EntryRule rule);

    void Form_Load();
    void Calculate_Click();
    void mnuHelpAbout_Click();
    void warn(const QString& message);
    QWidget* selectedOption() const;

    QString levelsFile_;
    LevelTable table_;
    QString levelsFileError_;
    bool loaded_ = false;

    const QFont controlFont_;
    DigitKeyFilter* keyFilter_;
    std::array<QLineEdit*, 24> gemFields_{};
    QPushButton* calculateButton_ = nullptr;
    QRadioButton* levelOption_ = nullptr;
    QRadioButton* experienceOption_ = nullptr;
    QLineEdit* levelField_ = nullptr;
    QLineEdit* experienceField_ = nullptr;
    std::array<QLabel*, 8> reportLabels_{}; // in the order the report is written
    QListWidget* labelList_ = nullptr;
    QListWidget* thresholdList_ = nullptr;
    AboutDialog* about_ = nullptr; // made on first use, then kept
};

} // namespace lapidor
