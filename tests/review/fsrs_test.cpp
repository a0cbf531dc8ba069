#include "core/regular_file.h"
#include "review/fsrs.h"
#include "review/iso_time.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct VectorReview {
    std::string at;
    Rating rating;
    double stability;
    double difficulty;
    std::string due;
    int lapses;
};

// The value after `"key":` in one review object, without its quotes.
std::string field(const std::string& object, const std::string& key) {
    const size_t at = object.find('"' + key + "\":");
    if (at == std::string::npos)
        return {};
    size_t begin = at + key.size() + 3;
    const bool quoted = object[begin] == '"';
    begin += quoted ? 1 : 0;
    const size_t end = object.find_first_of(quoted ? "\"" : ",}", begin);
    return object.substr(begin, end - begin);
}

// The generator writes one history a line: [{"at":...,"lapses":0},...].
// Read by hand: std::regex warns under the sanitizers' optimiser.
std::vector<std::vector<VectorReview>> histories(const std::string& json) {
    std::vector<std::vector<VectorReview>> all;
    std::istringstream lines(json);
    for (std::string line; std::getline(lines, line);) {
        std::vector<VectorReview> reviews;
        for (size_t open = line.find("{\"at\":"); open != std::string::npos;
             open = line.find("{\"at\":", open + 1)) {
            const std::string object = line.substr(open, line.find('}', open) - open + 1);
            reviews.push_back({field(object, "at"), *ratingNamed(field(object, "rating")),
                               std::stod(field(object, "stability")),
                               std::stod(field(object, "difficulty")), field(object, "due"),
                               std::stoi(field(object, "lapses"))});
        }
        if (!reviews.empty())
            all.push_back(std::move(reviews));
    }
    return all;
}

Day dayOf(const std::string& iso) {
    return parseIsoTime(iso).value().day;
}

} // namespace

TEST(Fsrs, ReproducesTheReferenceSchedulerOnEveryHistory) {
    const auto file = readRegularFile(ORVANTA_TEST_DATA "/fsrs_vectors.json", 1 << 20);
    ASSERT_TRUE(std::holds_alternative<std::string>(file));
    const auto all = histories(std::get<std::string>(file));
    ASSERT_GE(all.size(), 50u);
    size_t checked = 0;
    for (size_t h = 0; h < all.size(); ++h) {
        Schedule card;
        for (size_t r = 0; r < all[h].size(); ++r) {
            const VectorReview& expected = all[h][r];
            SCOPED_TRACE("history " + std::to_string(h) + " review " + std::to_string(r));
            card = review(card, expected.rating, dayOf(expected.at));
            EXPECT_NEAR(card.stability, expected.stability, 1e-6);
            EXPECT_NEAR(card.difficulty, expected.difficulty, 1e-6);
            EXPECT_EQ(isoDateText(card.due), isoDateText(dayOf(expected.due)));
            EXPECT_EQ(card.lapses, expected.lapses);
            ++checked;
        }
    }
    std::cout << "[ vectors  ] " << all.size() << " histories, " << checked << " reviews\n";
}

TEST(Fsrs, ReviewBeforeTheLastOneCountsOnTheLastOnesDay) {
    const Schedule first = review({}, Rating::Good, 100);
    const Schedule setBack = review(first, Rating::Good, 98);
    EXPECT_EQ(setBack, review(first, Rating::Good, 100));
}

TEST(IsoTime, ReadsAndWritesLocalTimesWithTheirOffset) {
    const auto time = parseIsoTime("2026-03-02T09:05:03+08:00");
    ASSERT_TRUE(time);
    EXPECT_EQ(isoDateText(time->day), "2026-03-02");
    EXPECT_EQ(isoTimeText(*time), "2026-03-02T09:05:03+08:00");
    EXPECT_EQ(isoTimeText(*parseIsoTime("2024-02-29T23:59:59.123Z")), "2024-02-29T23:59:59Z");
    for (const char* bad : {"2026-02-30T00:00:00Z", "2026-03-02 09:05:03Z", "2026-03-02T09:05:03",
                            "2026-03-02T24:00:00Z", "2026-3-2T09:05:03Z", ""})
        EXPECT_FALSE(parseIsoTime(bad)) << bad;
}
