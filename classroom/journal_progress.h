#pragma once

#include "classroom/learner_progress.h"

#include <set>
#include <string>

class Journal;

// The learner's progress as the journal holds it, for publishing under
// `learner`'s name; `now` is the ISO time of publishing, whose date decides
// which review cards are due.
LearnerProgress journalProgress(const Journal& journal, const std::string& learner,
                                const std::string& now);

// The lessons with a completed attempt, by the names the class knows them by.
std::set<std::string> completedLessons(const Journal& journal);

// At most this much of each part is published: a year and a bit of days, the
// lessons practised last, the slips of the last weeks and the most missed.
inline constexpr std::size_t kPublishedDays = 400;
inline constexpr std::size_t kPublishedLessons = 1000;
inline constexpr std::size_t kPublishedWeeks = 60;
inline constexpr int kPublishedMissed = 100;
