#pragma once

#include "review/card_store.h"
#include "review/typed_marks.h"

#include <string>
#include <vector>

// What an attempt of a lesson does to its cards: every word with a wrong
// character makes a card or lapses it (again while a wrong character is left,
// hard when it was taken back and typed right); a card of the lesson typed
// right at the first try is good; `dueCards` are the lesson's cards due today.
std::vector<PlaceRating> lessonRatings(const std::string& lesson, std::u16string_view text,
                                       const LessonReadings& readings, const TypedMarks& marks,
                                       const std::vector<CardPlace>& dueCards);

// What a review does to the cards of its words; a word not reached is left alone.
std::vector<std::pair<std::int64_t, Rating>> reviewRatings(const std::vector<ReviewWord>& words,
                                                           const TypedMarks& marks);
