#pragma once

#include "review/course_kanji.h"

#include <sqlite3.h>
#include <vector>

// How far the attempts already in the journal reached at a kanji's place.
enum class Reached {
    Not,
    Typed,    // an attempt typed it
    Produced, // an attempt with the kanji hidden typed it without a slip on it
};

// For each place: attempts on its lesson count up to the characters they
// reached (all of it when completed); a practice of kanji not held counts on
// the lines it took. Only the attempts with the kanji hidden have their slips
// read.
std::vector<Reached> reachedPlaces(sqlite3* db, const std::vector<KanjiPlace>& places);
