#pragma once

#include "core/attempt_observer.h"
#include "records/journal.h"
#include "records/journal_lesson.h"
#include "records/waiting_attempts.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
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
    // Another program holds the journal locked; what waits is written by a
    // later AttemptRecorder::writeWaiting().
    virtual void journalBusy() = 0;
};

enum class JournalOpening { Open, Busy, Failed };

// Opens the journal if it is closed and tells the listener what came of it.
JournalOpening openJournal(Journal& journal, RecorderListener& listener);

// Writes each attempt to the journal in one transaction when it ends, with
// the slips of its record (nothing is done per keystroke). While
// another program holds the journal locked, ended attempts and names wait
// in memory, in order, each to be written once.
class AttemptRecorder final : public AttemptObserver {
  public:
    AttemptRecorder(Journal& journal, RecorderListener& listener);

    // Attempts on the lesson file at `path`, one the program made of borrowed
    // lines (the drill, the day's review), are kept under `name`.
    void nameLesson(const std::string& path, JournalLesson name) {
        m_named[path] = std::move(name);
    }

    void lessonLoaded(const LoadedLesson& lesson) override;
    void recordChanged(const AttemptRecord& record) override { m_record = &record; }
    void completed(const AttemptFigures& figures) override;
    void gaveUp(const AttemptFigures& figures) override;

    // The learner's name for the attempt that ended last, once its score is
    // saved to the history.
    void nameLastAttempt(std::string name);
    // The score could not be saved after all: the attempt has no name.
    void unnameLastAttempt();
    // Writes what waits, oldest first; true when nothing waits any more.
    bool writeWaiting();

    // What still waits when the program ends is kept beside the journal, and
    // taken up again by the next recorder of that journal.
    void keepWhatWaits();

  private:
    using Waiting = WaitingAttempt;

    void finish(const AttemptFigures& figures, bool completed);
    // False while the journal is locked; the entry then keeps what is left.
    bool write(Waiting& waiting);

    Journal& m_journal;
    RecorderListener& m_listener;
    std::map<std::string, JournalLesson> m_named; // by path
    std::optional<JournalLesson> m_lesson;        // set while an attempt runs
    const AttemptRecord* m_record = nullptr;      // the session's, once it changed
    std::deque<Waiting> m_waiting;
    bool m_lastWaits = false;  // the attempt that ended last is m_waiting.back()
    std::int64_t m_lastId = 0; // its row, once written
};
