#include "core/regular_file.h"
#include "review/fsrs.h"
#include "review/iso_time.h"

#include <gtest/gtest.h>
#include <regex>
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

// The generator writes one history a line: [{"at":...,"lapses":0},...].
std::vector<std::vector<VectorReview>> histories(const std::string& json) {
    static const std::regex review(
        R"re(\{"at":"([^"]+)","rating":"(\w+)","stability":([-0-9.e+]+),)re"
        R"re("difficulty":([-0-9.e+]+),"due":"([^"]+)","lapses":(\d+)\})re");
    std::vector<std::vector<VectorReview>> all;
    std::istringstream lines(json);
    for (std::string line; std::getline(lines, line);) {
        std::vector<VectorReview> reviews;
        for (std::sregex_iterator m(line.begin(), line.end(), review), end; m != end; ++m)
            reviews.push_back({(*m)[1], *ratingNamed((*m)[2].str()), std::stod((*m)[3]),
                               std::stod((*m)[4]), (*m)[5], std::stoi((*m)[6])});
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
