// The class report joined from learners' files: days practised and streaks
// counted from today, slips by week added over the class, the characters the
// class misses most, and a learner's file read back as it was written.
#include "classroom/class_publisher.h"
#include "classroom/class_report.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ClassReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_class = fs::temp_directory_path() / ("orvanta-report-" + std::to_string(::getpid()));
        fs::remove_all(m_class);
        fs::create_directories(m_class / "progress");
    }
    void TearDown() override { fs::remove_all(m_class); }
    void publish(const LearnerProgress& progress, const std::string& file) {
        std::ofstream(m_class / "progress" / file, std::ios::binary) << writeProgress(progress);
    }
    static LearnerProgress learner(const std::string& name, std::vector<std::string> days) {
        LearnerProgress p;
        p.learner = name;
        p.publishedAt = "2026-03-10T08:00:00+08:00";
        for (const std::string& day : days)
            p.days.push_back({day, 1, 120});
        return p;
    }
    fs::path m_class;
};

TEST_F(ClassReportTest, ALearnersFileReadsBackAsItWasWritten) {
    LearnerProgress p = learner("王\t明", {"2026-03-09"});
    p.lessons.push_back(
        {"J01A", "第一课\n基本课文", 3, std::nullopt, 31.25, 87.5, "2026-03-09", 0, 2});
    p.slips.push_back({"2026-03-09", "选错汉字", 4});
    p.missed.push_back({"\r\n", "", 2});
    const auto read = readProgress(writeProgress(p));
    ASSERT_TRUE(std::holds_alternative<LearnerProgress>(read)) << std::get<ProgressError>(read);
    const LearnerProgress& back = std::get<LearnerProgress>(read);
    EXPECT_EQ(back.learner, "王 明");
    EXPECT_EQ(back.lessons[0].title, "第一课 基本课文");
    EXPECT_FALSE(back.lessons[0].bestSpeed);
    EXPECT_EQ(back.lessons[0].lastSpeed, 31.25);
    EXPECT_EQ(back.lessons[0].dueReviews, 2);
    EXPECT_EQ(back.slips[0].kind, "选错汉字");
    EXPECT_EQ(back.missed[0].count, 2);
}

struct DaysCase {
    std::vector<std::string> days;
    int inLast7, inLast30, streak;
};

class PractisedDaysTest : public ClassReportTest, public ::testing::WithParamInterface<DaysCase> {};

TEST_P(PractisedDaysTest, CountFromToday) {
    publish(learner("王明", GetParam().days), "a.progress");
    const ClassReport r = readClassReport(m_class.string(), "2026-03-10");
    ASSERT_EQ(r.learners.size(), 1u);
    EXPECT_EQ(r.learners[0].daysInLast7, GetParam().inLast7);
    EXPECT_EQ(r.learners[0].daysInLast30, GetParam().inLast30);
    EXPECT_EQ(r.learners[0].streak, GetParam().streak);
}

INSTANTIATE_TEST_SUITE_P(
    Days, PractisedDaysTest,
    ::testing::Values(DaysCase{{"2026-03-08", "2026-03-09", "2026-03-10"}, 3, 3, 3},
                      DaysCase{{"2026-03-08", "2026-03-09"}, 2, 2, 2}, // today not yet
                      DaysCase{{"2026-03-07", "2026-03-09"}, 2, 2, 1},
                      DaysCase{{"2026-03-04", "2026-03-03", "2026-02-09", "2026-02-08"}, 1, 3, 0},
                      DaysCase{{"2026-02-28", "2026-03-01"}, 0, 2, 0}, // across a month end
                      DaysCase{{"2026-13-01", "garbage"}, 0, 0, 0}));

TEST_F(ClassReportTest, TheClassesSlipsAndMissedCharactersAddUp) {
    LearnerProgress a = learner("王明", {});
    a.slips = {{"2026-03-02", "选错汉字", 3}, {"2026-03-09", "漏打", 1}};
    a.missed = {{"会", "回", 5}, {"は", "わ", 1}};
    LearnerProgress b = learner("李华", {});
    b.slips = {{"2026-03-02", "选错汉字", 2}};
    b.missed = {{"は", "わ", 7}, {"会", "絵", 1}};
    publish(a, "a.progress");
    publish(b, "b.progress");
    const ClassReport r = readClassReport(m_class.string(), "2026-03-10");
    ASSERT_EQ(r.slips.size(), 2u);
    EXPECT_EQ(r.slips[0].count, 5);
    EXPECT_EQ(r.slips[1].kind, "漏打");
    ASSERT_EQ(r.missed.size(), 2u);
    EXPECT_EQ(r.missed[0].expected, "は");
    EXPECT_EQ(r.missed[0].count, 8);
    EXPECT_EQ(r.missed[0].learners, 2);
    EXPECT_EQ(r.missed[1].typedMostOften, "回");
}

TEST_F(ClassReportTest, WhereTheClassStopsListsTheCourseAndTheClassLessons) {
    LearnerProgress a = learner("王明", {});
    a.lessons.push_back({"J01A", "", 2, 30.0, 30, 90, "2026-03-09", 1, 0});
    a.lessons.push_back({"J01B", "", 1, std::nullopt, 10, 50, "2026-03-09", 0, 0});
    LearnerProgress b = learner("李华", {});
    b.lessons.push_back({"J01A", "", 1, 20.0, 20, 80, "2026-03-09", 1, 0});
    publish(a, "a.progress");
    publish(b, "b.progress");
    const ClassReport r = readClassReport(m_class.string(), "2026-03-10", {"班级课文一"});
    ASSERT_EQ(r.reach.size(), 97u);
    EXPECT_EQ(r.reach[0].lesson, "J01A");
    EXPECT_EQ(r.reach[0].title, "第一课 基本课文");
    EXPECT_EQ(r.reach[0].completedBy, 2);
    EXPECT_EQ(r.reach[1].completedBy, 0);
    EXPECT_EQ(r.reach[1].practisedBy, 1);
    EXPECT_EQ(r.reach[96].lesson, "班级课文一");
}

TEST_F(ClassReportTest, AFolderWithoutLearnersGivesAnEmptyReport) {
    fs::remove_all(m_class / "progress");
    const ClassReport r = readClassReport(m_class.string(), "2026-03-10");
    EXPECT_TRUE(r.rows.empty());
    EXPECT_TRUE(r.unread.empty());
}

TEST_F(ClassReportTest, ProgressFilesOfTwoPeopleNeverShareAName) {
    EXPECT_NE(progressFileName("王明", "1"), progressFileName("王明", "2"));
    EXPECT_EQ(progressFileName("../x", "1").find('/'), std::string::npos);
}

} // namespace
