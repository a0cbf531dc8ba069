#pragma once

#include "core/attempt_observer.h"
#include "readings/loaded_readings.h"
#include "records/journal.h"
#include "review/card_backfill.h"
#include "review/daily_review.h"
#include "review/slip_rejudge.h"
#include "review/typed_marks.h"

#include <deque>
#include <optional>
#include <string>

// Today, as the learner's calendar has it.
class DayClock {
  public:
    virtual ~DayClock() = default;
    virtual Day today() const = 0;
};

// The cards beside the practice journal: it follows each attempt's typing,
// and when the journal writes the attempt it writes the ratings of the words
// typed in the same transaction, dated the day the attempt ended. It also
// makes today's review.
class ReviewKeeper final : public AttemptObserver, public AttemptExtension {
  public:
    // The loaded lesson's words come from `readings`; an older journal's
    // lessons are read with its analyser.
    ReviewKeeper(Journal& journal, LenderLessons& lessons, LoadedReadings& readings,
                 const DayClock& clock);

    // The files of the day's review and of the drill: the review's attempts
    // rate its words; the drill's lines make no cards of their own.
    void setOwnLessons(std::string reviewPath, std::string drillPath);
    // Another lesson of borrowed lines whose attempts, like the drill's, make
    // and rate no cards: its lines stand elsewhere in their own lessons.
    void leaveUnrated(std::string path) { m_unrated.push_back(std::move(path)); }
    // Today's review, for the review's file. Cards whose line changed are
    // retired on the way; those of a lesson that cannot be read wait for it
    // (see lesson_misses.h).
    const DailyReview& prepareReview();
    const DailyReview& prepared() const { return m_review; }

    // Cards due today, and the lines today's review would hold (fewer when
    // some cards can no longer be reviewed); nothing while the journal is closed.
    size_t dueToday() const;
    size_t dueLines() const;
    std::optional<Day> nextDue() const;
    // Once, after the journal is opened: an older journal's mistakes judged
    // again as slips, then cards from them, all at once or a few attempts at a time.
    std::optional<Rejudged> rejudgeSlips();
    bool makeCardsFromHistory();
    CardBackfill::Step makeSomeCardsFromHistory(size_t mostAttempts);
    double backfillProgress() const { return m_backfill.progress(); }

    void lessonLoaded(const LoadedLesson& lesson) override;
    void recordChanged(const AttemptRecord& record) override { m_record = &record; }
    void completed(const AttemptFigures& figures) override;
    void gaveUp(const AttemptFigures& figures) override;

    bool write(sqlite3* db, std::int64_t attemptId, const JournalAttempt& attempt) override;

  private:
    // One attempt's lesson and what was typed in it.
    struct Attempt {
        std::string lesson; // as the journal names it
        std::u16string text;
        LessonReadings readings;
        bool rated = false; // the drill's and an unreadable file's attempts rate nothing
        bool isReview = false;
        std::vector<ReviewWord> words; // the review's, as it was loaded
        TypedMarks marks;
        std::optional<Day> endedOn; // once ended and not yet in the journal
    };
    Attempt attemptOf(const LoadedLesson& lesson);
    void markTyped(Attempt& attempt) const;
    bool rate(sqlite3* db, std::int64_t attemptId, Day day, const Attempt& attempt);

    Journal& m_journal;
    LenderLessons& m_lessons;
    LoadedReadings& m_readings;
    const DayClock& m_clock;
    std::string m_reviewPath;
    std::string m_drillPath;
    std::vector<std::string> m_unrated;
    // The attempt running, or the one that ended last until the journal takes it.
    std::optional<Attempt> m_current;
    const AttemptRecord* m_record = nullptr; // the session's, once it changed
    // Ended attempts still waiting for a journal another program keeps
    // locked, oldest first: each is rated as it was typed, on the day it ended.
    std::deque<Attempt> m_waiting;
    DailyReview m_review;
    CardBackfill m_backfill;
};
