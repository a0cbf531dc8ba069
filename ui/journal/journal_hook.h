#pragma once

#include "records/attempt_recorder.h"
#include "records/journal.h"
#include "records/journal_access.h"
#include "ui/common/borrowed_lesson_file.h"

#include <QObject>
#include <map>
#include <optional>
#include <string>

class PracticeSession;
class Prompts;
class QAction;
class QTimer;
class QWidget;
class ScoreKeeper;
class StatisticsWindow;

// The practice journal beside the main window: it records attempts through
// the session's observer, adds the learner's name once a score is saved to
// the history, and serves 再练一次, 学习统计 and the drill of the most-missed
// characters. A journal that cannot be opened or written is told once per
// run; practice goes on. One that another program keeps locked is tried
// again every second, what waits being kept meanwhile, and a last time,
// waiting longer, as the program ends.
class JournalHook final : public QObject, public JournalAccess, private RecorderListener {
    Q_OBJECT
  public:
    // The hook and its statistics window belong to `window`; the lessons it
    // loads go through `session`.
    // `older`, when there is one, explains the mistakes of an older journal
    // as it is brought up to date.
    JournalHook(QWidget& window, PracticeSession& session, QAction& again, QAction& stats,
                ScoreKeeper& scores, Prompts& prompts, const std::string& journalPath,
                CharacterMistakes* older = nullptr);

    Journal& journal() override;

    // What the practice session reports each attempt to.
    AttemptObserver& observer() { return m_recorder; }

    void Again_Click();
    void Stats_Click();
    // Loads the course lines with the most-missed characters as a lesson.
    void loadDrill();

    const std::string& drillPath() const override { return m_drill.path(); }
    void nameLesson(const std::string& path, const std::string& lesson,
                    const std::string& title) override;

  signals:
    // The statistics window was made, for other features to add their pages.
    void statisticsWindowMade(StatisticsWindow& window);
    // An attempt is in the journal now.
    void attemptJournalled();
    // The journal was opened at start-up: at once, or once an older one was
    // brought up to date after the window showed, or once another program
    // let it go.
    void opened();

  private:
    void scoreSaved(const QString& name);
    void attemptRecorded(std::int64_t id, const JournalAttempt& attempt) override;
    void journalMovedAside(const std::string& movedTo) override;
    void journalFailed(const std::string& reason) override;
    void journalBusy() override;
    void retryJournal();
    void openAtStart();
    void journalOpened();
    void writeBeforeQuit();
    void lastLessonIs(std::optional<std::string> lesson);
    // After the event that caused it has been handled, not inside the engine.
    void tellLater(const QString& text);

    QWidget& m_mainWindow;
    PracticeSession& m_session;
    ScoreKeeper& m_scores;
    Prompts& m_prompts;
    Journal m_journal;
    AttemptRecorder m_recorder;
    QAction& m_again;
    QTimer* m_retry;
    std::optional<std::string> m_lastLesson;
    bool m_failureTold = false;
    bool m_opening = false; // an older journal waits to be brought up to date
    BorrowedLessonFile m_drill;
    std::map<std::string, std::string> m_namedPaths; // by lesson name
    StatisticsWindow* m_window = nullptr;            // made on first use, kept for the run
};
