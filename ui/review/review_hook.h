#pragma once

#include "core/code_page.h"
#include "core/local_files.h"
#include "readings/lesson_files.h"
#include "readings/loaded_readings.h"
#include "review/review_keeper.h"
#include "ui/common/borrowed_lesson_file.h"

#include <QObject>
#include <memory>

class HintRow;
class JournalAccess;
class PracticeSession;
class Prompts;
class QAction;
class QWidget;
class StatisticsWindow;

// 今日复习: the words missed in earlier attempts come back on the day the
// scheduler gives. The item 课程 → 今日复习 (F6) loads the due lines as one
// lesson; while nothing is due it says so on the hint row with the next due
// date; at start-up the hint row says how many lines wait. The cards live in
// the practice journal, and the statistics window shows them on a page.
class ReviewHook final : public QObject, private AttemptObserver {
  public:
    ReviewHook(QWidget& window, PracticeSession& session, QAction& item, HintRow& hints,
               JournalAccess& journal, Prompts& prompts, std::unique_ptr<DayClock> clock,
               const std::string& programFolder, LoadedReadings& readings);

    AttemptObserver& observer() { return m_keeper; }
    // A lesson file of another feature's borrowed lines that makes no cards.
    void leaveUnrated(const std::string& path) { m_keeper.leaveUnrated(path); }
    // Follows the session for the menu item and the hint.
    AttemptObserver& menuObserver() { return *this; }

    void Review_Click();
    // The item's state and tooltip for today.
    void showWhatIsDue();
    // The review's page in the journal's statistics window.
    void addPage(StatisticsWindow& window);
    // The cards of the attempts journalled before cards were kept, once the
    // journal has opened.
    void makeCardsFromHistory();

  private:
    void lessonLoaded(const LoadedLesson& lesson) override;
    void completed(const AttemptFigures&) override;
    void gaveUp(const AttemptFigures&) override;
    void rejudgeSlips();
    QString nothingDueText() const;

    QWidget& m_window;
    PracticeSession& m_session;
    QAction& m_item;
    HintRow& m_hints;
    JournalAccess& m_journal;
    Prompts& m_prompts;
    std::unique_ptr<DayClock> m_clock;
    LocalFiles m_files;
    CodePage m_codePage;
    LessonFiles m_lessons;
    ReviewKeeper m_keeper;
    BorrowedLessonFile m_file;
    bool m_rejudged = false; // an older journal's mistakes were judged again this run
};
