#pragma once

#include "classroom/learner_progress.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The class as the learners' files in the class folder show it. A learner
// who practises on several PCs has a file from each; the report joins them
// under the learner's name.

// One learner and one lesson practised.
struct ReportRow {
    std::string learner;
    std::string lesson;
    std::string title;
    std::int64_t attempts = 0;
    std::optional<double> bestSpeed;
    double lastSpeed = 0;
    double firstTryAccuracy = 0;
    std::string lastPractised;
    std::int64_t dueReviews = 0;
    std::int64_t completed = 0;
};

struct LearnerSummary {
    std::string learner;
    int daysInLast7 = 0;
    int daysInLast30 = 0;
    int streak = 0; // days in a row up to today, or up to yesterday
    std::int64_t seconds = 0;
    std::string publishedAt; // the newest of the learner's files
};

// Where the class stops: how many learners completed a lesson.
struct LessonReach {
    std::string lesson;
    std::string title;
    int completedBy = 0;
    int practisedBy = 0;
};

struct ClassMissed {
    std::string expected;
    std::int64_t count = 0;
    std::string typedMostOften; // by the learner who missed it most
    int learners = 0;
};

// A file that is not a learner's progress, and why.
struct UnreadFile {
    std::string file;
    std::string reason;
};

struct ClassReport {
    std::vector<ReportRow> rows; // by learner, then lesson
    std::vector<LearnerSummary> learners;
    std::vector<LessonReach> reach; // the course's lessons, then the others by name
    std::vector<WeekSlips> slips;   // by week, then kind
    std::vector<ClassMissed> missed;
    std::vector<UnreadFile> unread;
};

// Reads every learner's file in the class folder; `today` is YYYY-MM-DD.
// `alsoReached` names lessons the class was given, counted even when nobody
// practised them yet.
ClassReport readClassReport(const std::string& classFolder, const std::string& today,
                            const std::vector<std::string>& alsoReached = {});
