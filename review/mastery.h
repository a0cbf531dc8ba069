#pragma once

#include "review/course_kanji.h"
#include "review/fsrs.h"

#include <map>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <vector>

// How well the learner holds a kanji, from least to most.
enum class Hold {
    NotMet,   // no attempt reached it yet
    Met,      // typed in an attempt, with the text shown
    Produced, // typed from its reading, with the kanji hidden, without a slip
    Held,     // every card of a word holding it is in review, stable for three weeks
};

inline constexpr double kHeldStability = 21;
inline constexpr int kRecentSlipDays = 7;

struct KanjiState {
    char16_t kanji = 0;
    Hold hold = Hold::NotMet;
    std::optional<Day> lastSlip;
    std::optional<Day> nextReview; // the first due day of its cards in use
    bool slippedRecently(Day today) const {
        return lastSlip && today - *lastSlip < kRecentSlipDays;
    }
    friend bool operator==(const KanjiState&, const KanjiState&) = default;
};

// A lesson of the course (its basic and applied texts together) or another
// lesson, with the kanji it brings first, in the order they come.
struct MasteryGroup {
    std::u16string title;             // 第一课, or the lesson file's name
    std::vector<std::string> lessons; // as the journal names them, in order
    int volume = 0;                   // 1 or 2 for the course, 0 for any other lesson
    std::vector<KanjiState> kanji;
};

struct MasteryTotals {
    int total = 0;
    int covered = 0; // met or better
    int held = 0;
    MasteryTotals& operator+=(const MasteryTotals& other);
};
MasteryTotals totalsOf(const MasteryGroup& group);

struct Mastery {
    std::vector<MasteryGroup> groups;
    // The expected parts of the slips that hold each kanji, for its last slips.
    std::map<char16_t, std::vector<std::string>> slipTexts;
};

// The state of every kanji of `places` (in course order) from what the
// journal already holds: its attempts, slips and cards. Read through the
// journal's indexes; an attempt's own slips are read only for attempts made
// with the kanji hidden.
Mastery readMastery(sqlite3* db, const std::vector<KanjiPlace>& places);

struct SeenSlip {
    std::u16string expected;
    std::u16string typed;
    std::string kind; // empty when unexplained
    Day day = 0;
};
// The latest slips whose expected part is one of `expectedTexts`, latest first.
std::vector<SeenSlip> lastSlips(sqlite3* db, const std::vector<std::string>& expectedTexts,
                                size_t most);
