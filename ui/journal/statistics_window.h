#pragma once

#include <QDialog>
#include <optional>
#include <string>

class Journal;
class Prompts;
class QComboBox;
class QLabel;
class ProgressChart;
class QPushButton;
class QTableWidget;
class QTabWidget;

// 学习统计: per lesson the attempts with best and last figures, a chart of
// speed and accuracy over time for all attempts or the selected lesson, the
// characters missed most often, a drill of them and the CSV export.
class StatisticsWindow final : public QDialog {
    Q_OBJECT
  public:
    StatisticsWindow(const Journal& journal, Prompts& prompts, QWidget* owner);

    // Reads the journal: before it is shown, and after an attempt was written.
    void refresh();
    // A page of another feature's figures beside the scores; it is read
    // again on refreshed().
    void addPage(QWidget* page, const QString& title);

  signals:
    void drillRequested();
    void refreshed();

  protected:
    // Closed, the window lets go of what it read; refresh() reads it again.
    void hideEvent(QHideEvent* event) override;

  private:
    void fitScreen(const QWidget* owner);
    QWidget* createLessonTable();
    QWidget* createModeFilter();
    // Of the filter: nothing for every mode.
    std::optional<std::string> chosenMode() const;
    QWidget* createChart();
    QWidget* createMissedList();
    void fillLessons();
    void fillMissed();
    QWidget* createWeeklyKinds();
    void fillWeeklyKinds();
    void nameUnfilteredHeadings();
    void showProgress(const std::optional<std::string>& lesson);
    QString chartCaption(const QString& what) const;
    void showSelectedLesson();
    void exportCsv_Click();

    const Journal& m_journal;
    QTabWidget* m_pages = nullptr;
    Prompts& m_prompts;
    QTableWidget* m_lessons = nullptr;
    QComboBox* m_modes = nullptr;
    QTableWidget* m_missed = nullptr;
    QTableWidget* m_weeks = nullptr;
    QLabel* m_missedHeading = nullptr;
    QLabel* m_weeksHeading = nullptr;
    ProgressChart* m_chart = nullptr;
    QPushButton* m_drill = nullptr;
};
