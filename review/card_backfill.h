#pragma once

#include "readings/analyser.h"
#include "review/daily_review.h"

#include <sqlite3.h>

// Makes the cards of a journal upgraded from a version without them: each
// attempt up to the upgrade, in order, is taken as a review of its lesson on
// the day it ended, its mistakes rated as they were left (a mistake on the
// wrong place of the line, 错位, is no mistake of the word). Runs once, in
// one transaction; a second program finds the work done. Without an analyser
// a card holds the missed character alone. When a course lesson cannot be
// read, nothing is made and the work waits for a later call. False when the
// journal failed.
bool makeCardsFromHistory(sqlite3* db, LenderLessons& lessons, Analyser* analyser);
