#pragma once

#include "readings/borrowed_lines.h"
#include "readings/lesson_files.h"
#include "review/card_place.h"
#include "review/fsrs.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

inline constexpr size_t kReviewLines = 15;

struct DueCard {
    std::int64_t id = 0;
    CardPlace place;
    Day due = 0;
};

// A card's word in the review's text.
struct ReviewWord {
    std::int64_t card = 0;
    WordSpan span;
    friend bool operator==(const ReviewWord&, const ReviewWord&) = default;
};

struct DailyReview {
    BorrowedLesson lesson; // empty when nothing could be taken
    std::vector<ReviewWord> words;
    // Cards whose line no longer holds the word at its place.
    std::vector<std::int64_t> retired;
    // The lessons looked at: those read, and those that could not be read at
    // this moment (a folder not there, a file unreadable), whose cards wait.
    std::vector<std::string> readLessons;
    std::vector<std::string> unreadLessons;
    size_t lineCount = 0;
};

// Today's review from the due cards, most overdue first: each card's whole
// line, no line twice (a line holding several due words is typed once), at
// most `maxLines` lines; cards beyond them wait for the next review.
DailyReview buildDailyReview(const std::vector<DueCard>& due, LenderLessons& lessons,
                             size_t maxLines = kReviewLines);

// 今日复习（N 句）
std::u16string dailyReviewTitle(size_t lines);

// What the review is kept as in the journal.
inline constexpr std::string_view kReviewLesson = "今日复习";
