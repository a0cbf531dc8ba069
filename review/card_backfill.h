#pragma once

#include "readings/analyser.h"
#include "review/daily_review.h"

#include <cstdint>
#include <memory>
#include <sqlite3.h>

// Makes the cards of a journal upgraded from a version without them: each
// attempt up to the upgrade, in order, is taken as a review of its lesson on
// the day it ended, its mistakes rated as they were left (a mistake on the
// wrong place of the line, 错位, is no mistake of the word). Without an
// analyser a card holds the missed character alone.
//
// The work goes in steps of a few attempts, each in one transaction, so that
// the window stays usable while an old journal's thousands of attempts are
// gone through; a step finds where the steps before it (of this program or
// another) got to, so nothing is made twice. When a course lesson cannot be
// read, the step makes nothing and the work waits for a later start.
class CardBackfill {
  public:
    CardBackfill(LenderLessons& lessons, Analyser* analyser);
    ~CardBackfill();
    CardBackfill(const CardBackfill&) = delete;
    CardBackfill& operator=(const CardBackfill&) = delete;

    enum class Step { Done, More, WaitsForTheCourse, Failed };
    Step step(sqlite3* db, size_t mostAttempts);
    // How far the work is, from 0 to 1.
    double progress() const;

  private:
    struct Lessons; // each lesson read once, with its readings
    Step makeCards(sqlite3* db, std::int64_t last, size_t most);

    std::unique_ptr<Lessons> m_lessons;
    std::int64_t m_after = 0; // the last attempt gone through
    std::int64_t m_last = 0;  // the last attempt of the journal before its upgrade
};

// All of it at once; false when the journal failed.
bool makeCardsFromHistory(sqlite3* db, LenderLessons& lessons, Analyser* analyser);
