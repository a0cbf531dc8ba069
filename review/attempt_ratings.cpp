#include "review/attempt_ratings.h"

#include <algorithm>

std::vector<PlaceRating> lessonRatings(const std::string& lesson, std::u16string_view text,
                                       const LessonReadings& readings, const TypedMarks& marks,
                                       const std::vector<CardPlace>& dueCards) {
    std::vector<PlaceRating> ratings;
    std::vector<WordSpan> missed;
    for (Pos position : marks.missedPositions()) {
        const auto word = wordAt(text, readings, position);
        if (!word || std::find(missed.begin(), missed.end(), *word) != missed.end())
            continue;
        missed.push_back(*word);
        ratings.push_back(
            {placeOf(lesson, text, *word), marks.ratingOf(*word).value_or(Rating::Again), false});
    }
    for (const CardPlace& card : dueCards) {
        const auto span = spanOf(text, card);
        if (span && std::find(missed.begin(), missed.end(), *span) == missed.end())
            if (const auto rating = marks.ratingOf(*span))
                ratings.push_back({card, *rating, true});
    }
    return ratings;
}

std::vector<std::pair<std::int64_t, Rating>> reviewRatings(const std::vector<ReviewWord>& words,
                                                           const TypedMarks& marks) {
    std::vector<std::pair<std::int64_t, Rating>> ratings;
    for (const ReviewWord& word : words)
        if (const auto rating = marks.ratingOf(word.span))
            ratings.emplace_back(word.card, *rating);
    return ratings;
}
