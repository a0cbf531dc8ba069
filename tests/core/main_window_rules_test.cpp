#include "core/layout_pass.h"
#include "core/lesson_catalogue.h"

#include <gtest/gtest.h>

TEST(LessonCatalogue, ItemsFollowOneRuleFromTheLessonNumber) {
    struct Row {
        int n;
        char letter;
        const char* name;
        std::u16string caption;
        const char* path;
    };
    const Row rows[] = {
        {1, 'A', "Jlesson1_A", u"第一课 基本课文", "ldata\\J01A.ORV"},
        {10, 'A', "Jlesson10_A", u"第十课 基本课文", "ldata\\J10A.ORV"},
        {11, 'B', "Jlesson11_B", u"第十一课 应用课文", "ldata\\J11B.ORV"},
        {20, 'A', "Jlesson20_A", u"第二十课 基本课文", "ldata\\J20A.ORV"},
        {21, 'B', "Jlesson21_B", u"第二十一课 应用课文", "ldata\\J21B.ORV"},
        {28, 'A', "Jlesson28_A", u"第二十八课 基本课文", "ldata\\J28A.ORV"},
        {48, 'B', "Jlesson48_B", u"第四十八课 应用课文", "ldata\\J48B.ORV"},
    };
    for (const Row& row : rows) {
        const LessonEntry entry = lessonEntry(row.n, row.letter);
        EXPECT_EQ(entry.itemName, row.name);
        EXPECT_EQ(entry.caption, row.caption);
        EXPECT_EQ(entry.path, row.path);
    }
    EXPECT_EQ(chineseNumeral(30), u"三十");
}

class LayoutPassTest : public ::testing::Test {
  protected:
    MainLayout m_start{{120, 1200, 9135, 2655},
                       {120, 3960, 9135, 2415},
                       {0, 0, 1575, 315},
                       {0, 0, 1000, 315},
                       {120, 6840, 9135, 675}};
};

TEST_F(LayoutPassTest, PlacesTheBoxesClockAndPlayerForTheDesignSize) {
    const MainLayout l = layoutPass(9375, 8510, m_start);
    EXPECT_FLOAT_EQ(l.r1.width, 9135);
    EXPECT_FLOAT_EQ(l.r1.height, 2655);
    EXPECT_FLOAT_EQ(l.r2.top, 3905);
    EXPECT_FLOAT_EQ(l.r2.height, 2655);
    EXPECT_FLOAT_EQ(l.r2.width, 9135);
    EXPECT_FLOAT_EQ(l.label14.top, 6580);
    EXPECT_FLOAT_EQ(l.label13.top, 6580);
    EXPECT_FLOAT_EQ(l.label14.left, 9375 / 2.0f - 1425);
    EXPECT_FLOAT_EQ(l.label13.left, 9375 / 2.0f);
    EXPECT_FLOAT_EQ(l.player.top, 6580 + 315 + 20);
    EXPECT_FLOAT_EQ(l.player.height, 675);
}

TEST_F(LayoutPassTest, ALowWindowKeepsTheHeightsAndStillMovesTheRest) {
    const MainLayout l = layoutPass(6000, 3200, m_start);
    EXPECT_FLOAT_EQ(l.r1.height, 2655);
    EXPECT_FLOAT_EQ(l.r2.top, 1200 + 2655 + 50);
    EXPECT_FLOAT_EQ(l.r2.height, 2655);
    EXPECT_FLOAT_EQ(l.label14.top, 1200 + 2655 + 50 + 2655 + 20);
}

TEST_F(LayoutPassTest, ANarrowWindowGivesANegativeClockLeftButNoNegativeWidth) {
    const MainLayout l = layoutPass(200, 500, m_start);
    EXPECT_FLOAT_EQ(l.r1.width, 0);
    EXPECT_FLOAT_EQ(l.player.width, 0);
    EXPECT_FLOAT_EQ(l.label14.left, 100 - 1425);
    EXPECT_LT(layoutPass(2800, 5000, m_start).label14.left, 0);
}
