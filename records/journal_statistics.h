#pragma once

#include "records/journal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the statistics window shows, aggregated by the database. Accuracy is
// right / total in percent, as the history file computes it.

struct LessonSummary {
    std::string lesson;
    std::string title; // of the last attempt
    std::int64_t attempts = 0;
    double bestSpeed = 0;
    double lastSpeed = 0;
    double bestAccuracy = 0;
    double lastAccuracy = 0;
    std::string lastPractised; // the date of the last attempt, YYYY-MM-DD
};

struct ProgressPoint {
    std::int64_t endedAtMs; // milliseconds since 1970-01-01 UTC
    double speed;
    double accuracy;
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
// them by name. Empty when the journal is closed.
std::vector<LessonSummary> lessonSummaries(const Journal& journal);

// Every attempt, or those of one lesson, by the time it ended.
std::vector<ProgressPoint> progress(const Journal& journal,
                                    std::optional<std::string_view> lesson = std::nullopt);

// The characters missed most often, most first, each with what was typed
// instead most often; characters that were only shifted by an earlier slip
// are not counted.
std::vector<MissedCharacter> mostMissed(const Journal& journal, int limit = 30);

// Mistakes by week and kind, the earliest week first, each week's largest kind
// first; shifted characters are not counted.
std::vector<WeeklyKind> mistakesByWeek(const Journal& journal);

// The lesson of the attempt written last.
std::optional<std::string> lastAttemptLesson(const Journal& journal);
