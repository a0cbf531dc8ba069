#pragma once

#include "explain/slip_book.h"
#include "review/daily_review.h"

#include <optional>
#include <sqlite3.h>

// What judging an older journal's mistakes again as slips did.
struct Rejudged {
    std::int64_t attempts = 0;       // judged again from their lesson's text
    std::int64_t mistakesBefore = 0; // rows, character by character
    std::int64_t slipsAfter = 0;
    std::int64_t cardsRetired = 0; // cards of words that had no real slip
};

// Judges again the mistakes of the attempts written before slips were kept
// (those slip_rejudge names): each attempt's typed text as it was left is
// rebuilt from its lesson and its mistakes and aligned to the lesson, so that
// characters only moved by a slip, and letters typed with the input method
// off, are no mistakes of their own; mistakes typed right later stay, one
// slip a run. Without its lesson an attempt keeps its mistakes less those
// known to be moved. Cards of words no real slip touches are then retired on
// `today`. One transaction; nothing when no work is pending, or the journal failed.
std::optional<Rejudged> rejudgeSlips(sqlite3* db, LenderLessons& lessons, SlipBook& book,
                                     Day today);
