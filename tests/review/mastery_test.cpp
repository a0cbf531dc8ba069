#include "records/sqlite_statement.h"
#include "review/iso_time.h"
#include "review/mastery.h"
#include "review/mastery_practice.h"
#include "review/review_statistics.h"
#include "tests/records/journal_fixture.h"

#include <algorithm>

namespace {

// Two lessons of the first volume and one of the second, as the build writes them.
constexpr std::string_view kPlaces =
    "# LESSON\tLINE\tPOSITION\tKANJI\tREADING\tWORD\tWORD READING\n"
    "J01A\t1\t0\t本\tほん\t本\tほん\n"
    "J01A\t1\t2\t辞\tじ\t辞書\tじしょ\n"
    "J01A\t1\t3\t書\tしょ\t辞書\tじしょ\n"
    "J01A\t2\t7\t雑\tざつ\t雑誌\tざっし\n"
    "J01A\t2\t8\t誌\tし\t雑誌\tざっし\n"
    "J01B\t1\t0\t日\tに\t日本\tにほん\n"
    "J01B\t1\t1\t本\tほん\t日本\tにほん\n"
    "J01B\t1\t3\t傘\tかさ\t傘\tかさ\n"
    "J30A\t1\t0\t駅\tえき\t駅\tえき\n";
const std::u16string kJ01A = u"本と辞書。\r\n雑誌です。";
const std::u16string kJ01B = u"日本の傘。";

class MasteryTest : public JournalFixture {
  protected:
    void SetUp() override {
        JournalFixture::SetUp();
        m_journal = std::make_unique<Journal>(journalPath());
        ASSERT_FALSE(m_journal->open().error);
        m_places = parseKanjiPlaces(kPlaces).places;
        ASSERT_EQ(m_places.size(), 9u);
    }

    // An attempt that ended on `day`, reaching `total` positions, or all of
    // its lesson when completed.
    void record(const std::string& lesson, PracticeMode mode, Day day, bool completed, Pos total,
                const std::vector<JournalMistake>& slips = {}) {
        JournalAttempt a = attempt(lesson, isoDateText(day) + "T10:00:00+08:00", 30, total, total);
        a.completed = completed;
        a.mode = mode;
        ASSERT_FALSE(m_journal->record(a, slips).error);
    }
    void card(const std::string& word, double stability, int reviews, Day due) {
        Statement insert(m_journal->database(),
                         "INSERT INTO cards (lesson, line, place, word, stability, difficulty,"
                         " last_review, due, reviews, lapses) VALUES ('J01A', 1, ?, ?, ?, 5,"
                         " '2026-01-01', ?, ?, 0)");
        insert.bind(1, static_cast<std::int64_t>(++m_cards))
            .bind(2, word)
            .bind(3, stability)
            .bind(4, isoDateText(due))
            .bind(5, static_cast<std::int64_t>(reviews));
        ASSERT_EQ(insert.step(), SQLITE_DONE);
    }
    KanjiState state(char16_t kanji) const {
        for (const MasteryGroup& g : m_mastery.groups)
            for (const KanjiState& k : g.kanji)
                if (k.kanji == kanji)
                    return k;
        ADD_FAILURE() << "no kanji " << static_cast<int>(kanji);
        return {};
    }
    void read() { m_mastery = readMastery(m_journal->database(), m_places); }

    std::unique_ptr<Journal> m_journal;
    std::vector<KanjiPlace> m_places;
    Mastery m_mastery;
    int m_cards = 0;
    const Day m_day = dayOfDate(2026, 3, 2);
};

TEST_F(MasteryTest, KanjiComeInCourseOrderOnceInTheLessonThatBringsThemFirst) {
    read();
    ASSERT_EQ(m_mastery.groups.size(), 2u);
    const MasteryGroup& first = m_mastery.groups[0];
    EXPECT_EQ(first.title, u"第一课");
    EXPECT_EQ(first.lessons, (std::vector<std::string>{"J01A", "J01B"}));
    EXPECT_EQ(first.volume, 1);
    std::u16string order;
    for (const KanjiState& k : first.kanji)
        order += k.kanji;
    EXPECT_EQ(order, u"本辞書雑誌日傘") << "本 of J01B is not counted again";
    EXPECT_EQ(m_mastery.groups[1].title, u"第三十课");
    EXPECT_EQ(m_mastery.groups[1].volume, 2);
    const MasteryTotals totals = totalsOf(first);
    EXPECT_EQ(totals.total, 7);
    EXPECT_EQ(totals.covered, 0);
}

TEST_F(MasteryTest, AttemptsAlreadyInTheJournalColourWhatTheyReached) {
    // Given up on 雑 of the second line: the figures count no line break.
    record("J01A", PracticeMode::Text, m_day, false, 6);
    // Recall given up after four positions, with a slip on 辞.
    record("J01A", PracticeMode::Recall, m_day + 1, false, 4,
           {JournalMistake{2, u"辞", u"持", {"中文字形", {}}, std::nullopt, true, 1}});
    record("J01B", PracticeMode::Recall, m_day + 2, false, 1);
    read();
    EXPECT_EQ(state(u'本').hold, Hold::Produced);
    EXPECT_EQ(state(u'辞').hold, Hold::Met) << "slipped in recall";
    EXPECT_EQ(state(u'書').hold, Hold::Produced);
    EXPECT_EQ(state(u'雑').hold, Hold::Met) << "beyond where the recall was given up";
    EXPECT_EQ(state(u'誌').hold, Hold::NotMet);
    EXPECT_EQ(state(u'日').hold, Hold::Produced);
    EXPECT_EQ(state(u'傘').hold, Hold::NotMet);
    EXPECT_EQ(state(u'駅').hold, Hold::NotMet);
    EXPECT_EQ(state(u'辞').lastSlip, m_day + 1);
    EXPECT_TRUE(state(u'辞').slippedRecently(m_day + 7));
    EXPECT_FALSE(state(u'辞').slippedRecently(m_day + 8));
    EXPECT_EQ(m_mastery.slipTexts.at(u'辞'), std::vector<std::string>{"辞"});
    const auto slips = lastSlips(m_journal->database(), m_mastery.slipTexts.at(u'辞'), 3);
    ASSERT_EQ(slips.size(), 1u);
    EXPECT_EQ(slips[0].typed, u"持");
    EXPECT_EQ(slips[0].day, m_day + 1);
    EXPECT_EQ(totalsOf(m_mastery.groups[0]).covered, 5);
}

TEST_F(MasteryTest, AKanjiIsHeldOnlyWhenEveryCardOfItsWordsIsStable) {
    card("辞書", 30, 3, m_day + 40);
    card("辞", 3, 2, m_day + 3); // young: 辞 is not held, 書 is
    card("傘", kHeldStability, 2, m_day + 20);
    card("雑誌", 50, 1, m_day + 50); // never reviewed since it was missed
    read();
    EXPECT_EQ(state(u'書').hold, Hold::Held);
    EXPECT_NE(state(u'辞').hold, Hold::Held);
    EXPECT_EQ(state(u'傘').hold, Hold::Held);
    EXPECT_NE(state(u'雑').hold, Hold::Held);
    EXPECT_EQ(state(u'辞').nextReview, m_day + 3);
    EXPECT_EQ(totalsOf(m_mastery.groups[0]).held, 2);
}

TEST_F(MasteryTest, APracticeOfKanjiNotHeldCountsWhereItsLinesStandInTheirLessons) {
    const std::vector<PracticeLine> lines =
        practiceLines(m_places, {"J01A", "J01B"}, {kJ01A, kJ01B}, {u'雑', u'傘'});
    ASSERT_EQ(lines, (std::vector<PracticeLine>{{"J01A", 7, 5}, {"J01B", 0, 5}}));
    const std::string name = practiceLessonName(lines);
    EXPECT_EQ(practiceLinesOf(name), lines);
    EXPECT_EQ(practiceLinesOf("J01A"), std::nullopt);
    // 雑誌です。 CR LF 日本の傘。: a slip on 日, at 7.
    record(name, PracticeMode::Recall, m_day, true, 12,
           {JournalMistake{7, u"日", u"目", {}, std::nullopt, false, 3}});
    read();
    EXPECT_EQ(state(u'雑').hold, Hold::Produced);
    EXPECT_EQ(state(u'傘').hold, Hold::Produced);
    EXPECT_EQ(state(u'本').hold, Hold::Produced) << "the 本 of 日本";
    EXPECT_EQ(state(u'日').hold, Hold::Met);
    EXPECT_EQ(state(u'辞').hold, Hold::NotMet) << "its line was not taken";
}

TEST(MasteryPractice, PositionsOfThePracticeMapToTheirLinesAndNotOntoLineBreaks) {
    const std::vector<PracticeLine> lines{{"J01A", 7, 5}, {"J01B", 0, 5}};
    EXPECT_EQ(lessonPositionOf(lines, 1)->position, 8);
    EXPECT_EQ(lessonPositionOf(lines, 5), std::nullopt);
    EXPECT_EQ(lessonPositionOf(lines, 6), std::nullopt);
    EXPECT_EQ(lessonPositionOf(lines, 7)->line, &lines[1]);
    EXPECT_EQ(lessonPositionOf(lines, 12), std::nullopt);
    EXPECT_EQ(practiceLinesOf("掌握练习|J01A:7+x"), std::nullopt);
    EXPECT_EQ(practiceLinesOf("掌握练习|J01A7+5"), std::nullopt);
}

TEST(CourseKanji, PlacesFollowTheTextWithTheirWordsAndReadings) {
    LessonReadings readings;
    readings.rubies = {{0, 2, u"ひとびと"}, {5, 2, u"じしょ"}, {8, 1, u"よ"}};
    readings.words = {{0, 2, u"ひとびと"}, {5, 2, u"じしょ"}, {8, 2, u"よむ"}};
    const std::vector<KanjiPlace> places = kanjiPlaces("J02A", u"人々は\r\n辞書を読む。", readings);
    EXPECT_EQ(places, (std::vector<KanjiPlace>{
                          {"J02A", 1, 0, u'人', u"", u"人々", u"ひとびと"},
                          {"J02A", 2, 5, u'辞', u"", u"辞書", u"じしょ"},
                          {"J02A", 2, 6, u'書', u"", u"辞書", u"じしょ"},
                          {"J02A", 2, 8, u'読', u"よ", u"読む", u"よむ"},
                      }));
}

TEST(CourseKanji, PlacesReadBackAsWrittenAndBadLinesAreNamed) {
    const ParsedKanjiPlaces parsed = parseKanjiPlaces(kPlaces);
    EXPECT_EQ(parseKanjiPlaces(kanjiPlacesText(parsed.places)).places, parsed.places);
    const ParsedKanjiPlaces bad =
        parseKanjiPlaces("J01A\t1\t0\t本\tほん\t本\n"       // 6 fields
                         "J01A\t1\t0\tの\t\tの\t\n"         // no kanji
                         "J01A\t1\t0\t本\tほん\t傘\tかさ\n" // not its word
                         "J01A\t0\t0\t本\tほん\t本\tほん\n" // line 0
                         "\n# comment\r\n"
                         "J01A\t1\t-4\t本\tほん\t本\tほん\n"
                         "J01A\t1\t0\t々\t\t々\t\n"
                         "J01A\t1\t0\t本\tほん\t本\tほん\r\n");
    EXPECT_EQ(bad.badLines, (std::vector<size_t>{1, 2, 3, 4, 7, 8}));
    ASSERT_EQ(bad.places.size(), 1u);
    EXPECT_EQ(bad.places[0].word, u"本");
}

TEST_F(MasteryTest, TheStreakCountsOnlyDaysWithACompletedAttempt) {
    record("J01A", PracticeMode::Text, m_day, true, 12);
    record("J01A", PracticeMode::Text, m_day + 1, false, 3); // given up only
    record("J01A", PracticeMode::Text, m_day + 2, true, 12);
    record("J01A", PracticeMode::Text, m_day + 2, true, 12);
    const ReviewSummary summary = reviewSummary(m_journal->database(), m_day + 2);
    EXPECT_EQ(summary.streak, 1);
    ASSERT_EQ(summary.practisedDays.size(), 3u);
    EXPECT_EQ(summary.practisedDays[1], (PractisedDay{m_day + 1, 60, 1, 0}));
    EXPECT_EQ(summary.practisedDays[2], (PractisedDay{m_day + 2, 120, 2, 2}));
}

} // namespace
