#pragma once

#include "review/card_place.h"
#include "review/daily_review.h"
#include "review/fsrs.h"

#include <cstdint>
#include <optional>
#include <sqlite3.h>
#include <vector>

// The journal's cards and reviews. Every function runs inside the caller's
// transaction (an attempt's, or the upgrade's) and returns false, with the
// reason in sqlite3_errmsg, when a statement fails.

// What typing a word rated, for the card at its place.
struct PlaceRating {
    CardPlace place;
    Rating rating;
    // A word typed right in an ordinary attempt counts only on or after its
    // due day; a word missed always counts, and makes a card if there is none.
    bool onlyWhenDue = false;
};

bool ratePlaces(sqlite3* db, std::optional<std::int64_t> attemptId, Day day,
                const std::vector<PlaceRating>& ratings);

// A review's ratings of its cards; a card no longer due (the review typed a
// second time, or by another program meanwhile) is left alone.
bool rateCards(sqlite3* db, std::int64_t attemptId, Day day,
               const std::vector<std::pair<std::int64_t, Rating>>& ratings);

// The places of the lesson's cards in use that are due on or before `day`.
std::vector<CardPlace> dueLessonCards(sqlite3* db, const std::string& lesson, Day day);

// Cards in use due on or before `today`.
std::vector<DueCard> dueCards(sqlite3* db, Day today);
// How many there are, and on how many lines (up to `mostLines`), counted
// without reading them: what start-up shows before any review is made.
size_t dueCardCount(sqlite3* db, Day today);
size_t dueLineCount(sqlite3* db, Day today, size_t mostLines);
// The first due day of the cards in use, if any.
std::optional<Day> nextDueDay(sqlite3* db);

// Cards that cannot be reviewed any more (their lesson gone, their line
// changed) leave the review on `day`; they are kept, and come back if the
// learner misses the word at its place again.
bool retireCards(sqlite3* db, const std::vector<std::int64_t>& cards, Day day);
