#pragma once

#include "records/journal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the statistics window shows, aggregated by the database. Accuracy is
// right / total in percent, as the history file computes it; it forgets a
// mistake that was taken back and typed again. The first-try accuracy does
// not: it is the share of the characters that had no mistake at all.

// Only a completed attempt of at least this many characters sets a best
// figure: a give-up after a few characters runs far faster than a whole text.
constexpr std::int64_t kCountedCharacters = 20;

struct LessonSummary {
    std::string lesson;
    std::string title; // of the last attempt
    std::int64_t attempts = 0;
    std::optional<double> bestSpeed; // nothing until an attempt counts
    double lastSpeed = 0;
    std::optional<double> bestAccuracy;
    double lastAccuracy = 0;
    std::optional<double> bestFirstTry;
    double lastFirstTry = 0;
    std::string lastPractised; // the date of the last attempt, YYYY-MM-DD
};

struct ProgressPoint {
    std::int64_t endedAtMs; // milliseconds since 1970-01-01 UTC
    double speed;
    double accuracy;
    double firstTryAccuracy;
    bool counted; // completed, with at least kCountedCharacters
};

struct MissedCharacter {
    std::u16string expected;
    std::int64_t count;
    std::u16string typedMostOften;
    std::string kind; // of that pair; empty when unknown
};

// How many mistakes of one kind the attempts of one week held.
struct WeeklyKind {
    std::string week; // its Monday, YYYY-MM-DD
    std::string kind; // empty for mistakes of unknown kind
    std::int64_t count;
};

// One row per lesson: the course's lessons in course order, the others after
// them by name; of the attempts in every mode, or in one (by its name:
// text, recall, dictation). Empty when the journal is closed.
std::vector<LessonSummary> lessonSummaries(const Journal& journal,
                                           std::optional<std::string_view> mode = std::nullopt);

// What one point of the progress stands for: an attempt, or the attempts that
// ended on one day, in one week (from Monday) or in one month of the learner's
// calendar.
enum class ProgressStep { Attempt, Day, Week, Month };

// Every attempt, or those of one lesson, of every mode or one, by the time it
// ended; or, by a longer step, one point per day, week or month: when it
// holds a completed attempt of enough characters, the mean of those (a give-up
// after a few characters runs far faster), otherwise the mean of all, grey.
std::vector<ProgressPoint> progress(const Journal& journal,
                                    std::optional<std::string_view> lesson = std::nullopt,
                                    std::optional<std::string_view> mode = std::nullopt,
                                    ProgressStep step = ProgressStep::Attempt);

// The shortest step at which the progress has at most `mostPoints` points (a
// month when even months are more).
ProgressStep progressStep(const Journal& journal, std::optional<std::string_view> lesson,
                          std::optional<std::string_view> mode, std::int64_t mostPoints);

// The characters missed most often, most first, each with what was typed
// instead most often; characters that were only shifted by an earlier slip
// are not counted.
std::vector<MissedCharacter> mostMissed(const Journal& journal, int limit = 30);

// Mistakes by week and kind, the earliest week first, each week's largest kind
// first; shifted characters are not counted.
std::vector<WeeklyKind> mistakesByWeek(const Journal& journal);

// The lesson of the attempt written last.
std::optional<std::string> lastAttemptLesson(const Journal& journal);
