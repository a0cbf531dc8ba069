#pragma once

#include "core/attempt_observer.h"
#include "readings/analyser.h"
#include "records/journal.h"
#include "review/daily_review.h"
#include "review/typed_marks.h"

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
// typed in the same transaction. It also makes today's review.
class ReviewKeeper final : public AttemptObserver, public AttemptExtension {
  public:
    ReviewKeeper(Journal& journal, LenderLessons& lessons, Analyser& analyser,
                 const DayClock& clock);

    // The lesson (catalogue name or path) that the next lessonLoaded() begins.
    void ordinaryLessonComing(const std::string& lesson);
    // Today's review, which the next lessonLoaded() begins if it is not empty.
    // Cards that can no longer be reviewed are retired on the way.
    const DailyReview& prepareReview();

    // Cards due today; nothing while the journal is closed.
    size_t dueToday() const;
    std::optional<Day> nextDue() const;
    // Once, after the journal is opened: cards from an older journal's mistakes.
    bool makeCardsFromHistory();

    void lessonLoaded(const LoadedLesson& lesson) override;
    void started() override {}
    void evaluated(Pos position, char16_t expected, char16_t typed, bool right) override;
    void takenBack(Pos position) override;
    void lineBreak(Pos) override {}
    void completed(const AttemptFigures&) override {}
    void gaveUp(const AttemptFigures&) override {}

    bool write(sqlite3* db, std::int64_t attemptId, const JournalAttempt& attempt) override;

  private:
    struct Coming {
        std::string lesson; // empty for the review
    };
    struct Current {
        std::string lesson;
        LenderLesson text;
        LessonReadings readings;
        bool isReview = false;
    };
    std::optional<Current> current(const Coming& coming);

    Journal& m_journal;
    LenderLessons& m_lessons;
    Analyser& m_analyser;
    const DayClock& m_clock;
    std::optional<Coming> m_coming;
    std::optional<Current> m_current;
    DailyReview m_review;
    TypedMarks m_marks;
};
