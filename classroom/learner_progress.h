#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// What a learner's program publishes into the class folder: a summary of the
// learner's journal, small whatever the number of attempts, so that a year
// of daily practice stays far below the file's limit.
struct LessonProgress {
    std::string lesson; // catalogue name (J01A) or the lesson's own name
    std::string title;
    std::int64_t attempts = 0;
    std::optional<double> bestSpeed; // characters per minute; none until one counts
    double lastSpeed = 0;
    double firstTryAccuracy = 0; // per cent, of the last attempt
    std::string lastPractised;   // YYYY-MM-DD
    std::int64_t completed = 0;  // attempts typed to the end
    std::int64_t dueReviews = 0; // review cards due on the day of publishing
};

struct DayProgress {
    std::string day; // YYYY-MM-DD
    std::int64_t attempts = 0;
    std::int64_t seconds = 0;
};

struct WeekSlips {
    std::string week; // its Monday, YYYY-MM-DD
    std::string kind; // empty when unknown
    std::int64_t count = 0;
};

struct MissedText {
    std::string expected;
    std::string typedMostOften;
    std::int64_t count = 0;
};

struct LearnerProgress {
    std::string learner;     // the learner's name
    std::string publishedAt; // ISO 8601 with the UTC offset
    std::vector<LessonProgress> lessons;
    std::vector<DayProgress> days;
    std::vector<WeekSlips> slips;
    std::vector<MissedText> missed;
};

// The published file: a first line naming the format and its version, one
// record per line with tab-separated fields, and a last line counting the
// records, so that a file cut short is told from a whole one.
inline constexpr int kProgressVersion = 1;
inline constexpr std::size_t kProgressFileLimit = 1024 * 1024;

std::string writeProgress(const LearnerProgress& progress);

// Why a file in the class folder is not a learner's progress, in words for the report.
using ProgressError = std::string;
std::variant<LearnerProgress, ProgressError> readProgress(const std::string& bytes);
