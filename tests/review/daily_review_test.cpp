#include "review/daily_review.h"
#include "review/typed_marks.h"

#include <gtest/gtest.h>

namespace {

// Lessons held in memory; a name without a text is a lesson that is gone.
class MemoryLessons final : public LenderLessons {
  public:
    std::map<std::string, LenderLesson> lessons;
    int reads = 0;
    std::optional<LenderLesson> read(const std::string& lesson) override {
        ++reads;
        const auto found = lessons.find(lesson);
        return found == lessons.end() ? std::nullopt : std::optional(found->second);
    }
};

DueCard card(std::int64_t id, const char* lesson, int line, int column, std::u16string word,
             Day due) {
    return {id, {lesson, line, column, std::move(word)}, due};
}

class DailyReviewTest : public ::testing::Test {
  protected:
    DailyReviewTest() {
        m_lessons.lessons["J04A"] = {
            u"今は七時です。\r\n図書館は九時からです。\r\n毎日勉強します。",
            {{u"七時", u"しちじ"}, {u"毎日", u"まいにち"}}};
        m_lessons.lessons["/home/me/own.ORV"] = {u"辞書を持っています。", {}};
    }
    MemoryLessons m_lessons;
};

} // namespace

TEST_F(DailyReviewTest, MostOverdueLineFirstEachLineOnceInFull) {
    const DailyReview review = buildDailyReview(
        {card(1, "J04A", 1, 2, u"七時", 20), card(2, "/home/me/own.ORV", 1, 0, u"辞書", 12),
         card(3, "J04A", 2, 0, u"図書館", 15), card(4, "J04A", 1, 0, u"今", 18)},
        m_lessons);
    EXPECT_EQ(review.lesson.text,
              u"辞書を持っています。\r\n図書館は九時からです。\r\n今は七時です。");
    EXPECT_EQ(review.lineCount, 3u);
    EXPECT_EQ(review.words,
              (std::vector<ReviewWord>{{2, {0, 2}}, {3, {12, 3}}, {4, {25, 1}}, {1, {27, 2}}}));
    EXPECT_TRUE(review.retired.empty());
    EXPECT_EQ(m_lessons.reads, 2); // each lesson read once
    EXPECT_EQ(dailyReviewTitle(review.lineCount), u"今日复习（3 句）");
}

TEST_F(DailyReviewTest, KeepsTheCorrectionsOfTheWordsInItsLines) {
    const DailyReview review = buildDailyReview({card(1, "J04A", 1, 2, u"七時", 20)}, m_lessons);
    EXPECT_EQ(review.lesson.corrections, (std::vector<Correction>{{u"七時", u"しちじ"}}));
    EXPECT_EQ(correctionsFileText(review.lesson.corrections), "七時\tしちじ\n");
}

TEST_F(DailyReviewTest, CardsOfAnEditedLineAreRetiredThoseOfAnUnreadableLessonWait) {
    const DailyReview review =
        buildDailyReview({card(1, "J09B", 1, 0, u"辞書", 1), card(2, "J04A", 1, 0, u"七時", 2),
                          card(3, "J04A", 7, 0, u"今", 3), card(4, "J04A", 2, 0, u"図書館", 4)},
                         m_lessons);
    EXPECT_EQ(review.retired, (std::vector<std::int64_t>{2, 3}));
    EXPECT_EQ(review.unreadLessons, (std::vector<std::string>{"J09B"}));
    EXPECT_EQ(review.readLessons, (std::vector<std::string>{"J04A"}));
    EXPECT_EQ(review.lesson.text, u"図書館は九時からです。");
}

TEST_F(DailyReviewTest, AtMostFifteenLinesTheRestWait) {
    std::u16string text;
    std::vector<DueCard> due;
    for (int line = 1; line <= 20; ++line) {
        text += (line > 1 ? u"\r\n" : u"") + std::u16string(1, u'あ' + line);
        due.push_back(card(line, "J01A", line, 0, std::u16string(1, u'あ' + line), 40 - line));
    }
    m_lessons.lessons["J01A"] = {text, {}};
    const DailyReview review = buildDailyReview(due, m_lessons);
    ASSERT_EQ(review.lineCount, kReviewLines);
    EXPECT_EQ(review.words.front().card, 20);
    EXPECT_EQ(review.words.back().card, 6);
    EXPECT_TRUE(buildDailyReview({}, m_lessons).lesson.text.empty());
}

TEST(TypedMarks, RatesAWordByHowItWasTyped) {
    struct Case {
        const char* what;
        std::vector<std::pair<Pos, bool>> evaluations; // position, right; -1: take back the last
        std::optional<Rating> rating;
    };
    const std::vector<Case> cases = {
        {"right at the first try", {{3, true}, {4, true}}, Rating::Good},
        {"a mistake taken back", {{3, false}, {-1, false}, {3, true}, {4, true}}, Rating::Hard},
        {"a wrong character left", {{3, true}, {4, false}}, Rating::Again},
        {"left wrong, the rest untyped", {{3, false}}, Rating::Again},
        {"not reached", {{3, true}}, std::nullopt},
        {"taken back and not typed again", {{3, true}, {4, true}, {-1, false}}, std::nullopt},
    };
    for (const Case& c : cases) {
        TypedMarks marks;
        Pos last = 0;
        for (const auto& [position, right] : c.evaluations)
            if (position < 0)
                marks.takenBack(last);
            else
                marks.evaluated(last = position, right);
        EXPECT_EQ(marks.ratingOf({3, 2}), c.rating) << c.what;
    }
}
