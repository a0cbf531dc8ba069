#include "core/attempt_clock.h"
#include "core/clock_text.h"
#include "tests/fakes/fake_players.h"
#include "tests/fakes/fake_window.h"

#include <gtest/gtest.h>

TEST(ClockText, TimeOfDayHasNoLeadingZeroOnTheHour) {
    EXPECT_EQ(timeOfDayText({9, 5, 3}), u"9:05:03");
    EXPECT_EQ(timeOfDayText({21, 5, 3}), u"21:05:03");
}

TEST(ClockText, FieldsAreTakenByPosition) {
    EXPECT_EQ(timeFields(u"9:59:58"), (TimeOfDay{9, 59, 58}));
    EXPECT_EQ(timeFields(u"10:00:03"), (TimeOfDay{10, 0, 3}));
    EXPECT_EQ(timeFields(u"H:M:S"), (TimeOfDay{0, 0, 0}));
}

TEST(ClockText, ElapsedTextSplitsWholeSeconds) {
    EXPECT_EQ(elapsedText(59.00000001), u"0:0:59");
    EXPECT_EQ(elapsedText(61.00000001), u"0:1:1");
    EXPECT_EQ(elapsedText(3661.00000001), u"1:1:1");
    EXPECT_EQ(elapsedText(61 * 3600 + 0.00000001), u"1:0:0"); // hours wrap modulo 60
}

TEST(ClockText, ElapsedAcrossAnHourBoundaryAndMidnight) {
    const double fromOneDigitHour = elapsedSeconds(timeFields(u"9:59:58"), timeFields(u"10:00:03"));
    EXPECT_EQ(elapsedText(fromOneDigitHour), u"0:0:5");
    EXPECT_EQ(elapsedText(elapsedSeconds({23, 59, 50}, {0, 0, 10})), u"0:0:20");
}

TEST(ClockText, SpeedIsCutToSixCharactersWithoutRounding) {
    EXPECT_EQ(speedText(30, 45.00000001), u"39.999");
    EXPECT_EQ(speedText(120, 60.00000001), u"119.99");
    EXPECT_EQ(speedText(10, 7.00000001), u"85.714");
    EXPECT_EQ(speedText(1, 1.00000001), u"59.999");
    EXPECT_EQ(speedText(3, 3600.00000001), u"0.0499");
    EXPECT_EQ(speedText(1, 0.00000001), u"600000");
    EXPECT_EQ(speedText(0, 0.00000001), u"0");
    EXPECT_EQ(fifteenDigits(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(fifteenDigits(0.00001), "0.00001");
    EXPECT_EQ(fifteenDigits(1e20), "100000000000000000000");
}

class AttemptClockTest : public ::testing::Test {
  protected:
    AttemptState m_state;
    FakePracticeWindow m_window;
    FakeClock m_clock;
    AttemptClock m_attemptClock{m_state, m_window, m_clock};
};

TEST_F(AttemptClockTest, FirstTickTakesTheStartTimeAndStopsTheIdleClock) {
    m_clock.time = {9, 59, 58};
    m_attemptClock.Timer1_Timer(1);
    EXPECT_EQ(m_window.captions[FormLabel::Label11], u"9:59:58");
    EXPECT_EQ(m_window.captions[FormLabel::Label13], u"9:59:58");
    EXPECT_EQ(m_window.dialog[DialogLabel::Label11], u"9:59:58");
    EXPECT_EQ(m_window.captions[FormLabel::Label3], u"0:0:0");
    EXPECT_EQ(m_window.captions[FormLabel::Label2], u"600000");
    EXPECT_EQ(m_state.ClockStarted, 1);
    EXPECT_FALSE(m_window.timer2);

    m_clock.time = {10, 0, 3};
    m_attemptClock.Timer1_Timer(30);
    EXPECT_EQ(m_window.captions[FormLabel::Label3], u"0:0:5");
    EXPECT_EQ(m_window.dialog[DialogLabel::L3], u"0:0:5");
    EXPECT_EQ(m_window.dialog[DialogLabel::Label13], u"10:00:03");
    EXPECT_EQ(m_window.dialog[DialogLabel::Label2], u"359.99");
}

TEST_F(AttemptClockTest, TicksWithinTheSameSecondWriteNothingUnlessTheTotalChanged) {
    m_attemptClock.Timer1_Timer(0);
    const int writes = m_window.captionWrites;
    m_attemptClock.Timer1_Timer(0);
    EXPECT_EQ(m_window.captionWrites, writes);
    m_attemptClock.Timer1_Timer(1);
    EXPECT_GT(m_window.captionWrites, writes);
}

TEST_F(AttemptClockTest, ANewAttemptTakesItsOwnStartTime) {
    m_clock.time = {8, 0, 0};
    m_attemptClock.Timer1_Timer(0);
    m_state.reset();
    m_clock.time = {8, 30, 0};
    m_attemptClock.Timer1_Timer(0);
    EXPECT_EQ(m_window.captions[FormLabel::Label11], u"8:30:00");
    EXPECT_EQ(m_window.captions[FormLabel::Label3], u"0:0:0");
}

TEST_F(AttemptClockTest, IdleClockShowsTheTimeOfDay) {
    m_clock.time = {7, 4, 9};
    m_attemptClock.Timer2_Timer();
    EXPECT_EQ(m_window.captions[FormLabel::Label13], u"7:04:09");
}
