#include "tools/review_schedule_command.h"

#include "review/fsrs.h"
#include "review/iso_time.h"
#include "tools/tool_output.h"

#include <cstdio>
#include <iostream>

const char* const kReviewScheduleUsage =
    R"(  orvanta-lesson review-schedule --start ISO-TIME RATING...
      Shows when a missed word comes back: the word is first reviewed at
      ISO-TIME (2026-03-02T09:00:00+08:00), each later review on the day the
      one before it fell due, rated in turn by RATING (again, hard, good or
      easy). One line per review: the rating, the next due time, stability in
      days and difficulty (1 to 10), separated by tabs. Exit 0; 2 for a time
      or a rating it cannot read.
)";

namespace {

int usageError(const std::string& why) {
    std::cerr << "orvanta-lesson: " << why << "\nUsage:\n" << kReviewScheduleUsage;
    return 2;
}

std::string reviewLine(Rating rating, const Schedule& card, const IsoTime& due) {
    char figures[96];
    std::snprintf(figures, sizeof figures, "\t%.8f\t%.8f\n", card.stability, card.difficulty);
    return std::string(ratingName(rating)) + "\t" + isoTimeText(due) + figures;
}

const Day kLastDay = dayOfDate(9999, 12, 31);

} // namespace

int reviewScheduleCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() < 3 || arguments[0] != "--start")
        return usageError("review-schedule needs --start ISO-TIME and at least one rating");
    auto time = parseIsoTime(arguments[1]);
    if (!time)
        return usageError("not an ISO 8601 time with its offset: " + arguments[1]);
    std::string out;
    Schedule card;
    for (size_t i = 2; i < arguments.size(); ++i) {
        const auto rating = ratingNamed(arguments[i]);
        if (!rating)
            return usageError("not a rating: " + arguments[i]);
        card = review(card, *rating, time->day);
        if (card.due > kLastDay) // ISO 8601 writes four-digit years
            return usageError("the schedule goes beyond the year 9999");
        time->day = card.due;
        out += reviewLine(*rating, card, *time);
    }
    if (const auto error = writeStandardOutput(out))
        return cannotWrite("standard output", *error);
    return 0;
}
