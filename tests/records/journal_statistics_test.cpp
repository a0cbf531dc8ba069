#include "records/attempt_review.h"
#include "records/journal_export.h"
#include "records/journal_statistics.h"
#include "tests/records/journal_fixture.h"

#include <fstream>

namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

JournalMistake slip(Pos position, std::u16string expected, std::u16string typed,
                    MistakeNote note = {}) {
    return {position, std::move(expected), std::move(typed), std::move(note)};
}

} // namespace

class JournalStatisticsTest : public JournalFixture {
  protected:
    void SetUp() override {
        JournalFixture::SetUp();
        m_journal = std::make_unique<Journal>(journalPath());
        ASSERT_FALSE(m_journal->open().error);
    }
    void write(const JournalAttempt& attempt, const std::vector<JournalMistake>& mistakes = {}) {
        ASSERT_FALSE(m_journal->record(attempt, mistakes).error);
    }
    std::unique_ptr<Journal> m_journal;
};

TEST_F(JournalStatisticsTest, LessonsComeInCourseOrderWithBestAndLastFigures) {
    write(attempt("/home/a/mine.ORV", "2026-03-01T10:00:00+08:00"));
    write(attempt("J10A", "2026-03-02T10:00:00+08:00", 40, 16, 20));
    write(attempt("J02B", "2026-03-03T10:00:00+08:00", 50, 20, 20));
    write(attempt("J10A", "2026-03-04T10:00:00+08:00", 30, 18, 20));
    write(attempt("J02B", "2026-03-05T23:30:00+08:00", 20, 10, 20));
    const auto rows = lessonSummaries(*m_journal);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].lesson, "J02B");
    EXPECT_EQ(rows[1].lesson, "J10A");
    EXPECT_EQ(rows[2].lesson, "/home/a/mine.ORV");
    EXPECT_EQ(rows[0].attempts, 2);
    EXPECT_EQ(rows[0].bestSpeed, 50);
    EXPECT_DOUBLE_EQ(rows[0].lastSpeed, 20);
    EXPECT_EQ(rows[0].bestAccuracy, 100);
    EXPECT_DOUBLE_EQ(rows[0].lastAccuracy, 50);
    EXPECT_EQ(rows[0].lastPractised, "2026-03-05");
    EXPECT_EQ(rows[1].title, "J10A title");
    EXPECT_EQ(rows[1].bestAccuracy, 90);
}

TEST_F(JournalStatisticsTest, TheTableAndTheChartCanShowOneModeAlone) {
    JournalAttempt recalled = attempt("J01A", "2026-03-02T10:00:00+08:00", 20);
    recalled.mode = PracticeMode::Recall;
    write(attempt("J01A", "2026-03-01T10:00:00+08:00", 40));
    write(recalled);
    write(attempt("J01B", "2026-03-03T10:00:00+08:00", 50));
    EXPECT_EQ(lessonSummaries(*m_journal).size(), 2u);
    const auto recall = lessonSummaries(*m_journal, "recall");
    ASSERT_EQ(recall.size(), 1u);
    EXPECT_EQ(recall[0].attempts, 1);
    EXPECT_EQ(recall[0].bestSpeed, 20);
    const auto text = lessonSummaries(*m_journal, "text");
    ASSERT_EQ(text.size(), 2u);
    EXPECT_DOUBLE_EQ(text[0].lastSpeed, 40);
    EXPECT_EQ(progress(*m_journal, "J01A", "text").size(), 1u);
    EXPECT_EQ(progress(*m_journal, std::nullopt, "recall").size(), 1u);
    EXPECT_EQ(progress(*m_journal, "J01A").size(), 2u);
}

TEST_F(JournalStatisticsTest, ProgressIsInTimeOrderAcrossUtcOffsets) {
    write(attempt("J01A", "2026-03-02T09:00:00+08:00", 10)); // 01:00 UTC
    write(attempt("J01A", "2026-03-02T00:30:00+00:00", 20)); // 00:30 UTC, written later
    write(attempt("J01B", "2026-03-02T02:00:00+00:00", 30, 0, 0));
    const auto all = progress(*m_journal);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_DOUBLE_EQ(all[0].speed, 20);
    EXPECT_DOUBLE_EQ(all[1].speed, 10);
    EXPECT_EQ(all[1].endedAtMs - all[0].endedAtMs, 30 * 60 * 1000);
    EXPECT_EQ(all[0].endedAtMs, 1772411400000); // 2026-03-02T00:30:00Z
    EXPECT_DOUBLE_EQ(all[2].accuracy, 0) << "an empty attempt has no accuracy to divide";
    const auto one = progress(*m_journal, "J01B");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_DOUBLE_EQ(one[0].speed, 30);
}

// The clock divides by almost nothing in an attempt of less than a second.
TEST_F(JournalStatisticsTest, AnAttemptShorterThanASecondSetsNoBestSpeedAndIsNotCharted) {
    write(attempt("J01A", "2026-03-02T10:00:00+08:00", 40));
    JournalAttempt instant = attempt("J01A", "2026-03-02T10:01:00+08:00", 420000);
    instant.figures.elapsedSeconds = 0;
    write(instant);
    const auto rows = lessonSummaries(*m_journal);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].attempts, 2);
    EXPECT_EQ(rows[0].bestSpeed, 40);
    EXPECT_DOUBLE_EQ(rows[0].lastSpeed, 420000);
    ASSERT_EQ(progress(*m_journal).size(), 1u);
    EXPECT_DOUBLE_EQ(progress(*m_journal)[0].speed, 40);
}

TEST_F(JournalStatisticsTest, MostMissedCountsCharactersAndWhatWasTypedInstead) {
    write(attempt("J01A", "2026-03-02T09:00:00+08:00"),
          {{0, u"辞", u"持"}, {1, u"辞", u"時"}, {2, u"辞", u"持"}, {3, u"は", u"わ"}});
    write(attempt("J01B", "2026-03-03T09:00:00+08:00"), {{0, u"は", u"わ"}, {9, u"辞", u"時"}});
    const auto missed = mostMissed(*m_journal, 30);
    ASSERT_EQ(missed.size(), 2u);
    EXPECT_EQ(missed[0].expected, u"辞");
    EXPECT_EQ(missed[0].count, 4);
    EXPECT_EQ(missed[0].typedMostOften, u"持") << "a tie goes to the lower code";
    EXPECT_EQ(missed[1].expected, u"は");
    EXPECT_EQ(missed[1].typedMostOften, u"わ");
    EXPECT_EQ(mostMissed(*m_journal, 1).size(), 1u);
}

TEST_F(JournalStatisticsTest, ShiftedCharactersAreLeftOutOfMostMissedAndTheWeeks) {
    const MistakeNote kana{"写成假名", ""};
    const MistakeNote shifted{"写成假名", kShifted};
    write(attempt("J01A", "2026-03-01T23:00:00+08:00"), // a Sunday
          {{0, u"今", u"こ", kana}, {4, u"、", u"は", shifted}, {5, u"は", u"、", shifted}});
    write(
        attempt("J01A", "2026-03-02T09:00:00+08:00"), // the Monday after
        {{0, u"今", u"こ", kana}, {3, u"辞", u"持", {"选错汉字", ""}}, {4, u"、", u"は", shifted}});
    const auto missed = mostMissed(*m_journal, 30);
    ASSERT_EQ(missed.size(), 2u);
    EXPECT_EQ(missed[0].expected, u"今");
    EXPECT_EQ(missed[0].kind, "写成假名");
    EXPECT_EQ(missed[1].expected, u"辞");
    const auto weeks = mistakesByWeek(*m_journal);
    ASSERT_EQ(weeks.size(), 3u);
    EXPECT_EQ(weeks[0].week, "2026-02-23");
    EXPECT_EQ(weeks[0].kind, "写成假名");
    EXPECT_EQ(weeks[0].count, 1);
    EXPECT_EQ(weeks[1].week, "2026-03-02");
    EXPECT_EQ(weeks[2].kind, "选错汉字");
}

TEST_F(JournalStatisticsTest, TheReviewOfTheLastAttemptListsItsSlipsInOrderAndCountsTheShifted) {
    EXPECT_FALSE(lastAttemptReview(*m_journal));
    write(attempt("J01B", "2026-03-01T09:00:00+08:00"), {{0, u"本", u"木"}});
    JournalAttempt given = attempt("J01A", "2026-03-02T09:00:00+08:00");
    given.completed = false;
    given.shifted = 1;
    write(given, {{9, u"図", u"图", {"中文字形", ""}},
                  {0, u"今晩", u"こんばん", {"写成假名", ""}, u"こんばんは", true}});
    const auto review = lastAttemptReview(*m_journal);
    ASSERT_TRUE(review);
    EXPECT_EQ(review->lesson, "J01A");
    EXPECT_FALSE(review->completed);
    EXPECT_EQ(review->shifted, 1);
    ASSERT_EQ(review->mistakes.size(), 2u);
    EXPECT_EQ(review->mistakes[0].preedit, u"こんばんは");
    EXPECT_TRUE(review->mistakes[0].corrected);
    EXPECT_EQ(review->mistakes[1].position, 9);
    EXPECT_EQ(review->mistakes[1].note.kind, "中文字形");
    EXPECT_FALSE(review->mistakes[1].preedit);
}

TEST_F(JournalStatisticsTest, LastAttemptLessonIsTheOneWrittenLast) {
    EXPECT_FALSE(lastAttemptLesson(*m_journal));
    write(attempt("J05A", "2026-03-02T09:00:00+08:00"));
    write(attempt("/x/y.ORV", "2026-03-01T09:00:00+08:00"));
    EXPECT_EQ(lastAttemptLesson(*m_journal), "/x/y.ORV");
}

TEST_F(JournalStatisticsTest, ClosedJournalReadsAsEmpty) {
    const Journal closed(journalPath() + "-never-opened");
    EXPECT_TRUE(lessonSummaries(closed).empty());
    EXPECT_TRUE(progress(closed).empty());
    EXPECT_TRUE(mostMissed(closed).empty());
    EXPECT_FALSE(lastAttemptLesson(closed));
    EXPECT_TRUE(exportCsv(closed, (m_dir / "a.csv").string(), (m_dir / "m.csv").string()));
}

TEST_F(JournalStatisticsTest, ExportWritesTwoCsvFilesWithHeadersAndQuoting) {
    JournalAttempt quoted = attempt("/home/a/b,\"c\".ORV", "2026-03-02T09:00:00+08:00", 24.5);
    quoted.title = "b,\"c\".ORV";
    write(quoted, {{3, u"辞", u","}});
    ASSERT_FALSE(m_journal->setName(1, "王\n芳").error);
    ASSERT_FALSE(exportCsv(*m_journal, (m_dir / "attempts.csv").string(),
                           (m_dir / "mistakes.csv").string()));
    EXPECT_EQ(readFile(m_dir / "attempts.csv"),
              "\xEF\xBB\xBF"
              "id,lesson,title,started_at,ended_at,elapsed_s,total,right,wrong,speed,completed,"
              "name,mode,first_try_accuracy\r\n"
              "1,\"/home/a/b,\"\"c\"\".ORV\",\"b,\"\"c\"\".ORV\",2026-03-02T09:00:00+08:00,"
              "2026-03-02T09:00:00+08:00,60,20,18,2,24.5,1,\"王\n芳\",text,95.0\r\n");
    EXPECT_EQ(readFile(m_dir / "mistakes.csv"),
              "\xEF\xBB\xBF"
              "attempt_id,position,expected,typed,kind,detail,preedit,corrected\r\n"
              "1,3,辞,\",\",,,,0\r\n");
}

// A 4-second give-up or a few characters run far faster than a whole text.
TEST_F(JournalStatisticsTest, OnlyCompletedAttemptsOfTwentyCharactersSetTheBestFigures) {
    write(attempt("J01A", "2026-03-02T10:00:00+08:00", 40, 18, 20));
    JournalAttempt gaveUp = attempt("J01A", "2026-03-02T10:01:00+08:00", 374.99, 30, 30);
    gaveUp.completed = false;
    write(gaveUp);
    write(attempt("J01A", "2026-03-02T10:02:00+08:00", 319.99, 19, 19));
    write(attempt("J02A", "2026-03-02T10:03:00+08:00", 300, 5, 5));
    const auto rows = lessonSummaries(*m_journal);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].attempts, 3);
    EXPECT_EQ(rows[0].bestSpeed, 40);
    EXPECT_EQ(rows[0].bestAccuracy, 90);
    EXPECT_DOUBLE_EQ(rows[0].lastSpeed, 319.99);
    EXPECT_FALSE(rows[1].bestSpeed) << "no attempt of J02A counts yet";
    EXPECT_FALSE(rows[1].bestAccuracy);
    std::vector<bool> counted;
    for (const ProgressPoint& p : progress(*m_journal))
        counted.push_back(p.counted);
    EXPECT_EQ(counted, (std::vector<bool>{true, false, false, false}));
}

// Typed wrong twice at position 3 and once at 7, each taken back and typed
// right: the read-out forgets them, the first try does not.
TEST_F(JournalStatisticsTest, FirstTryAccuracyCountsTheLessonCharactersOfEverySlip) {
    write(attempt("J01A", "2026-03-02T10:00:00+08:00", 40, 20, 20),
          {{3, u"辞書", u"時", {}, std::nullopt, true}, {7, u"", u"↵"}});
    write(attempt("J01A", "2026-03-02T10:05:00+08:00", 40, 20, 20));
    const auto rows = lessonSummaries(*m_journal);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].bestFirstTry, 100);
    EXPECT_DOUBLE_EQ(rows[0].lastFirstTry, 100);
    EXPECT_EQ(rows[0].bestAccuracy, 100);
    const auto points = progress(*m_journal);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_DOUBLE_EQ(points[0].accuracy, 100);
    EXPECT_DOUBLE_EQ(points[0].firstTryAccuracy, 85);
}

TEST_F(JournalStatisticsTest, ExportWritesCellsThatLookLikeFormulasAsText) {
    JournalAttempt formula = attempt("J01A", "2026-03-02T09:00:00+08:00");
    formula.title = "=HYPERLINK(\"x\")";
    write(formula, {{0, u"-", u"+"}, {1, u"@", u"="}});
    ASSERT_FALSE(m_journal->setName(1, "-2+3").error);
    ASSERT_FALSE(exportCsv(*m_journal, (m_dir / "attempts.csv").string(),
                           (m_dir / "mistakes.csv").string()));
    const std::string attempts = readFile(m_dir / "attempts.csv");
    EXPECT_NE(attempts.find(",\"'=HYPERLINK(\"\"x\"\")\","), std::string::npos) << attempts;
    EXPECT_NE(attempts.find(",'-2+3,"), std::string::npos) << attempts;
    EXPECT_EQ(readFile(m_dir / "mistakes.csv"),
              "\xEF\xBB\xBF"
              "attempt_id,position,expected,typed,kind,detail,preedit,corrected\r\n"
              "1,0,'-,'+,,,,0\r\n1,1,'@,'=,,,,0\r\n");
}

TEST_F(JournalStatisticsTest, ExportIntoAMissingFolderFailsAndLeavesNothing) {
    const auto error =
        exportCsv(*m_journal, (m_dir / "no" / "a.csv").string(), (m_dir / "no" / "m.csv").string());
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("a.csv"), std::string::npos);
    EXPECT_NE(error->find("不存在"), std::string::npos) << *error << ": said in Chinese";
    EXPECT_FALSE(std::filesystem::exists(m_dir / "no"));
}

// Beyond what a chart can show apart, a point is a day of the learner's own
// calendar: 01:00 at +08:00 is the next day though it is still the day
// before in UTC. A give-up after a few characters runs far faster and is left
// out of a day that has a counted attempt.
TEST_F(JournalStatisticsTest, ADaysPointIsTheMeanOfItsCountedAttemptsByTheLearnersCalendar) {
    JournalAttempt gaveUp = attempt("J01A", "2026-03-02T12:00:00+08:00", 300);
    gaveUp.completed = false;
    write(attempt("J01A", "2026-03-02T09:00:00+08:00", 40, 20));
    write(gaveUp);
    write(attempt("J01A", "2026-03-02T18:00:00+08:00", 60, 16));
    JournalAttempt nextDay = attempt("J01A", "2026-03-03T01:00:00+08:00", 200);
    nextDay.completed = false;
    write(nextDay);
    const auto days = progress(*m_journal, std::nullopt, std::nullopt, ProgressStep::Day);
    ASSERT_EQ(days.size(), 2u);
    EXPECT_DOUBLE_EQ(days[0].speed, 50);
    EXPECT_DOUBLE_EQ(days[0].accuracy, 90);
    EXPECT_TRUE(days[0].counted);
    EXPECT_DOUBLE_EQ(days[1].speed, 200) << "a day of give-ups only shows them, grey";
    EXPECT_FALSE(days[1].counted);
    EXPECT_LT(days[0].endedAtMs, days[1].endedAtMs);
}

// Five attempts on three days of two weeks (2026-03-08 is a Sunday), in two months.
TEST_F(JournalStatisticsTest, TheChartTakesTheShortestStepWhosePointsItCanShow) {
    for (const char* endedAt :
         {"2026-02-27T10:00:00+08:00", "2026-02-27T11:00:00+08:00", "2026-03-01T10:00:00+08:00",
          "2026-03-01T11:00:00+08:00", "2026-03-02T10:00:00+08:00"})
        write(attempt("J01A", endedAt));
    const std::vector<std::pair<std::int64_t, ProgressStep>> cases{{5, ProgressStep::Attempt},
                                                                   {3, ProgressStep::Day},
                                                                   {2, ProgressStep::Week},
                                                                   {1, ProgressStep::Month}};
    for (const auto& [mostPoints, step] : cases) {
        EXPECT_EQ(progressStep(*m_journal, std::nullopt, std::nullopt, mostPoints), step)
            << mostPoints;
        EXPECT_LE(progress(*m_journal, std::nullopt, std::nullopt, step).size(),
                  static_cast<size_t>(std::max<std::int64_t>(mostPoints, 2)));
    }
    EXPECT_EQ(progress(*m_journal, std::nullopt, std::nullopt, ProgressStep::Week).size(), 2u);
    EXPECT_EQ(progress(*m_journal, std::nullopt, std::nullopt, ProgressStep::Month).size(), 2u);
    EXPECT_EQ(progressStep(*m_journal, "J09B", std::nullopt, 1), ProgressStep::Attempt)
        << "a lesson never practised has no point";
}

// A week's kinds add up over its attempts, the largest first; a mistake of
// no known kind counts apart.
TEST_F(JournalStatisticsTest, AWeeksKindsAddUpOverItsAttemptsLargestFirst) {
    const MistakeNote other{"其他", ""};
    const MistakeNote reading{"读音错误", ""};
    write(attempt("J01A", "2026-03-02T09:00:00+08:00"),
          {slip(0, u"今", u"金", other), slip(1, u"日", u"火", reading),
           slip(2, u"は", u"わ", reading), slip(3, u"本", u"木")});
    write(attempt("J01B", "2026-03-04T09:00:00+08:00"),
          {slip(0, u"辞", u"持", other), slip(1, u"書", u"暑", other)});
    write(attempt("J02A", "2026-03-09T09:00:00+08:00"), {slip(0, u"今", u"こ", reading)});
    std::vector<std::tuple<std::string, std::string, std::int64_t>> weeks;
    for (const WeeklyKind& w : mistakesByWeek(*m_journal))
        weeks.emplace_back(w.week, w.kind, w.count);
    EXPECT_EQ(weeks, (std::vector<std::tuple<std::string, std::string, std::int64_t>>{
                         {"2026-03-02", "其他", 3},
                         {"2026-03-02", "读音错误", 2},
                         {"2026-03-02", "", 1},
                         {"2026-03-09", "读音错误", 1}}));
}
