#pragma once

#include "core/attempt_observer.h"
#include "records/journal.h"
#include "records/journal_lesson.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <unordered_map>
#include <vector>

// What becomes of the journal while attempts are recorded.
class RecorderListener {
  public:
    virtual ~RecorderListener() = default;
    virtual void attemptRecorded(std::int64_t id, const JournalAttempt& attempt) = 0;
    // A file that was no database was moved there; a new journal was started.
    virtual void journalMovedAside(const std::string& movedTo) = 0;
    // The journal could not be opened or written; the attempt is not in it.
    virtual void journalFailed(const std::string& reason) = 0;
};

// Explains a wrong character as it is recorded: fills in its note and the
// kana the learner typed, where it can tell them.
class MistakeExplainer {
  public:
    virtual ~MistakeExplainer() = default;
    virtual void explain(JournalMistake& mistake) = 0;
};

// Opens the journal if it is closed and tells the listener what came of it.
// True when the journal is open.
bool openJournal(Journal& journal, RecorderListener& listener);

// Gathers one attempt in memory as the practice session reports it (a
// mistake is one push onto a reserved vector, nothing else per keystroke)
// and writes it to the journal in one transaction when it ends.
class AttemptRecorder final : public AttemptObserver {
  public:
    AttemptRecorder(Journal& journal, RecorderListener& listener);

    // Attempts on the lesson file at `path` are kept as the drill.
    void setDrillPath(std::string path) { m_drillPath = std::move(path); }
    void setExplainer(MistakeExplainer* explainer) { m_explainer = explainer; }

    void lessonLoaded(const LoadedLesson& lesson) override;
    void started() override;
    void evaluated(Pos position, char16_t expected, char16_t typed, bool right) override;
    void completed(const AttemptFigures& figures) override;
    void gaveUp(const AttemptFigures& figures) override;

  private:
    void finish(const AttemptFigures& figures, bool completed);
    void markCorrected(Pos position);

    Journal& m_journal;
    RecorderListener& m_listener;
    std::string m_drillPath;
    std::optional<JournalLesson> m_lesson; // set while an attempt runs
    std::optional<std::time_t> m_startedAt;
    std::vector<JournalMistake> m_mistakes;
    // Mistakes not yet typed right, by position: indexes into m_mistakes.
    std::unordered_map<Pos, std::vector<size_t>> m_uncorrected;
    MistakeExplainer* m_explainer = nullptr;
};
