#include "core/lesson_catalogue.h"
#include "core/local_files.h"
#include "records/drill_builder.h"
#include "records/journal_lesson.h"

#include <filesystem>
#include <gtest/gtest.h>

TEST(DrillBuilder, TakesTheFirstCourseLineOfEachMissedCharacterInCourseOrder) {
    const std::vector<std::u16string> course = {u"あいう\r\nかきく\r\nさしす", u"たちつ\r\nかきく"};
    EXPECT_EQ(drillLines(course, {u"ち", u"か", u"あ"}),
              (std::vector<std::u16string>{u"あいう", u"かきく", u"たちつ"}));
}

TEST(DrillBuilder, NoLineTwiceAndALineCoversEveryCharacterInIt) {
    const std::vector<std::u16string> course = {u"あいう\r\nあいう\r\nいろは"};
    EXPECT_EQ(drillLines(course, {u"あ", u"い", u"う", u"ろ"}),
              (std::vector<std::u16string>{u"あいう", u"いろは"}));
}

TEST(DrillBuilder, AtMostTenLinesForTheMostMissedFirst) {
    std::vector<std::u16string> course(1);
    std::vector<std::u16string> missed;
    for (char16_t ch = u'ア'; ch < u'ア' + 12; ++ch) {
        course[0] += std::u16string(1, ch) + u"\r\n";
        missed.insert(missed.begin(), std::u16string(1, ch)); // the last line is missed most
    }
    const auto lines = drillLines(course, missed);
    ASSERT_EQ(lines.size(), kDrillLines);
    EXPECT_EQ(lines.front(), std::u16string(1, u'ア' + 2));
    EXPECT_EQ(lines.back(), std::u16string(1, u'ア' + 11));
}

TEST(DrillBuilder, CharactersOutsideTheCourseGiveAnEmptyDrill) {
    const std::vector<std::u16string> course = {u"あいう\r\n\r\n"};
    EXPECT_TRUE(drillLines(course, {u"ん", u""}).empty());
    EXPECT_TRUE(drillLines({}, {u"あ"}).empty());
    EXPECT_EQ(drillText({u"あいう", u"かきく"}), u"あいう\r\nかきく");
    EXPECT_EQ(drillText({}), u"");
}

namespace {

JournalLesson journalLessonOfPath(std::string_view path) {
    return journalLessonFor(namedLesson(path, LocalFiles{}, {}));
}

} // namespace

TEST(JournalLesson, CourseLessonsGoByTheirCatalogueName) {
    EXPECT_EQ(journalLessonOfPath("ldata/J01A.ORV"), (JournalLesson{"J01A", "第一课 基本课文"}));
    EXPECT_EQ(journalLessonOfPath("ldata/J48B.ORV"),
              (JournalLesson{"J48B", "第四十八课 应用课文"}));
    EXPECT_EQ(courseLessonPath("J21B"), "ldata/J21B.ORV");
    EXPECT_EQ(courseOrder("J01A"), 0);
    EXPECT_EQ(courseOrder("J01B"), 1);
    EXPECT_EQ(courseOrder("J48B"), 95);
    for (const char* other : {"J49A", "J00A", "J1A", "J01C", "/tmp/J01A.ORV", "易错字练习"}) {
        EXPECT_FALSE(courseOrder(other)) << other;
        EXPECT_FALSE(courseLessonPath(other)) << other;
    }
}

TEST(JournalLesson, OtherFilesGoByTheirAbsolutePathAndFileName) {
    EXPECT_EQ(journalLessonOfPath("/home/a/../b/my lesson.ORV"),
              (JournalLesson{"/home/b/my lesson.ORV", "my lesson.ORV"}));
    const std::string relative = journalLessonOfPath("mine.ORV").lesson;
    EXPECT_EQ(relative, (std::filesystem::current_path() / "mine.ORV").string());
    EXPECT_EQ(journalLessonOfPath("ldata/J01A.txt").title, "J01A.txt");
}
