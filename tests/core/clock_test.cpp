#include "core/attempt_clock.h"
#include "core/clock_text.h"
#include "tests/fakes/fake_players.h"
#include "tests/fakes/fake_window.h"

#include <charconv>
#include <gtest/gtest.h>

TEST(ClockText, TimeOfDayHasNoLeadingZeroOnTheHour) {
    EXPECT_EQ(timeOfDayText({9, 5, 3}), u"9:05:03");
    EXPECT_EQ(timeOfDayText({21, 5, 3}), u"21:05:03");
}

TEST(ClockText, TheTimeOfDayIsTheLocalTimeOfTheMoment) {
    EXPECT_EQ(localTimeOfDay(FakeClock::today({9, 59, 58})), (TimeOfDay{9, 59, 58}));
    EXPECT_EQ(localTimeOfDay(FakeClock::today({21, 5, 3}) + std::chrono::milliseconds(999)),
              (TimeOfDay{21, 5, 3}));
}

TEST(ClockText, ElapsedTextSplitsWholeSeconds) {
    EXPECT_EQ(elapsedText(59.00000001), u"0:0:59");
    EXPECT_EQ(elapsedText(61.00000001), u"0:1:1");
    EXPECT_EQ(elapsedText(3661.00000001), u"1:1:1");
    EXPECT_EQ(elapsedText(61 * 3600 + 0.00000001), u"1:0:0"); // hours wrap modulo 60
}

TEST(ClockText, ElapsedAcrossAnHourBoundaryAndMidnight) {
    EXPECT_EQ(elapsedText(elapsedSeconds({9, 59, 58}, {10, 0, 3})), u"0:0:5");
    EXPECT_EQ(elapsedText(elapsedSeconds({23, 59, 50}, {0, 0, 10})), u"0:0:20");
}

namespace {

// The number the read-out's text reads as.
double readAs(std::u16string_view text) {
    const std::string digits(text.begin(), text.end());
    double value = -1;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

} // namespace

TEST(ClockText, SpeedIsCutToSixCharactersWithoutRoundingAndKeptAsTheNumberShown) {
    const struct {
        double perMinute;
        std::u16string_view text;
        double shown;
    } cases[] = {
        {charactersPerMinute(30, 45.00000001), u"39.999", 39.999},
        {charactersPerMinute(120, 60.00000001), u"119.99", 119.99},
        {charactersPerMinute(10, 7.00000001), u"85.714", 85.714},
        {charactersPerMinute(1, 1.00000001), u"59.999", 59.999},
        {charactersPerMinute(3, 3600.00000001), u"0.0499", 0.0499},
        {charactersPerMinute(1, 0.00000001), u"600000", 600000},
        {charactersPerMinute(0, 0.00000001), u"0", 0},
        {charactersPerMinute(200, 1.00000001), u"11999.", 11999}, // the point is the sixth
        {12.3000123, u"12.300", 12.3},
        {1234567.8, u"123456", 123456}, // six or more whole digits lose their magnitude
        {0.00001, u"0.0000", 0},
        {7.5, u"7.5", 7.5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(speedText(c.perMinute), c.text) << c.perMinute;
        EXPECT_EQ(shownSpeed(c.perMinute), c.shown) << c.perMinute;
        EXPECT_EQ(shownSpeed(c.perMinute), readAs(speedText(c.perMinute))) << c.perMinute;
    }
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
    m_attemptClock.attemptTick(1);
    EXPECT_EQ(m_window.captions[FormLabel::Label11], u"9:59:58");
    EXPECT_EQ(m_window.captions[FormLabel::Label13], u"9:59:58");
    EXPECT_EQ(m_window.dialog[DialogLabel::Label11], u"9:59:58");
    EXPECT_EQ(m_window.captions[FormLabel::Label3], u"0:0:0");
    EXPECT_EQ(m_window.captions[FormLabel::Label2], u"600000");
    EXPECT_EQ(m_state.ClockStarted, 1);
    EXPECT_FALSE(m_window.timer2);

    m_clock.time = {10, 0, 3};
    m_attemptClock.attemptTick(30);
    EXPECT_EQ(m_window.captions[FormLabel::Label3], u"0:0:5");
    EXPECT_EQ(m_window.dialog[DialogLabel::L3], u"0:0:5");
    EXPECT_EQ(m_window.dialog[DialogLabel::Label13], u"10:00:03");
    EXPECT_EQ(m_window.dialog[DialogLabel::Label2], u"359.99");
}

TEST_F(AttemptClockTest, TicksWithinTheSameSecondWriteNothingUnlessTheTotalChanged) {
    m_attemptClock.attemptTick(0);
    const int writes = m_window.captionWrites;
    m_attemptClock.attemptTick(0);
    EXPECT_EQ(m_window.captionWrites, writes);
    m_attemptClock.attemptTick(1);
    EXPECT_GT(m_window.captionWrites, writes);
}

TEST_F(AttemptClockTest, ANewAttemptTakesItsOwnStartTime) {
    m_clock.time = {8, 0, 0};
    m_attemptClock.attemptTick(0);
    m_state.reset();
    m_clock.time = {8, 30, 0};
    m_attemptClock.attemptTick(0);
    EXPECT_EQ(m_window.captions[FormLabel::Label11], u"8:30:00");
    EXPECT_EQ(m_window.captions[FormLabel::Label3], u"0:0:0");
}

TEST_F(AttemptClockTest, IdleClockShowsTheTimeOfDay) {
    m_clock.time = {7, 4, 9};
    m_attemptClock.idleTick();
    EXPECT_EQ(m_window.captions[FormLabel::Label13], u"7:04:09");
}
