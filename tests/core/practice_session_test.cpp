#include "tests/fakes/practice_rig.h"
#include "tests/fakes/recording_observer.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using Log = std::vector<std::string>;
const Log kOneClick = {"close", "open", "play"};
const std::string kKeyClick = "file /prog/Sound/Type.wav";

} // namespace

class PracticeSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_rig.session.addObserver(m_observer);
        m_rig.start(u"ab\r\ncd");
    }
    bool shown(MenuItem item) { return m_rig.window.switches.at(item); }

    PracticeRig m_rig;
    RecordingObserver m_observer;
};

TEST_F(PracticeSessionTest, KeyClickPlaysOnMM3OnlyWhileTheKeySoundIsOn) {
    EXPECT_EQ(m_rig.mm3.log, Log{kKeyClick}); // prepared once, at the start
    m_rig.session.characterKeyPressed();
    EXPECT_EQ(m_rig.mm3.log, (Log{kKeyClick, "close", "open", "play"}));

    m_rig.session.toggleKeySound();
    EXPECT_FALSE(shown(MenuItem::Key));
    m_rig.session.characterKeyPressed();
    EXPECT_EQ(m_rig.mm3.log.size(), 4u);

    m_rig.session.toggleKeySound();
    EXPECT_TRUE(shown(MenuItem::Key));
    m_rig.session.characterKeyPressed();
    EXPECT_EQ(m_rig.mm3.log.size(), 7u);
    EXPECT_TRUE(m_rig.me1.log.empty()); // a key click is no cue
}

TEST_F(PracticeSessionTest, SoundSwitchSilencesTheCuesButNotTheKeyClick) {
    m_rig.session.toggleSound();
    EXPECT_FALSE(shown(MenuItem::Se));
    m_rig.session.characterKeyPressed();
    m_rig.type(u"ax");
    EXPECT_TRUE(m_rig.me1.played().empty());
    EXPECT_EQ(m_rig.mm3.log.size(), 4u);

    m_rig.session.toggleSound();
    EXPECT_TRUE(shown(MenuItem::Se));
    m_rig.backspace();
    EXPECT_EQ(m_rig.me1.played(), Log{"/prog/Sound/back.wav"});
}

TEST_F(PracticeSessionTest, BackgroundMusicPlaysAChosenFileUntilTurnedOff) {
    m_rig.session.toggleBackgroundMusic(); // the learner cancels the choice
    EXPECT_TRUE(m_rig.me2.log.empty());
    EXPECT_TRUE(m_rig.window.switches.empty());

    m_rig.window.nextMusicFile = "/music/rain.wav";
    m_rig.session.toggleBackgroundMusic();
    EXPECT_EQ(m_rig.me2.log, (Log{"close", "file /music/rain.wav", "open", "play"}));
    EXPECT_TRUE(m_rig.window.switches.empty()); // not before the file plays
    m_rig.session.musicStarted();
    EXPECT_TRUE(shown(MenuItem::Music));

    m_rig.session.toggleBackgroundMusic();
    EXPECT_EQ(m_rig.window.musicChoices, 2); // turning off asks for nothing
    EXPECT_EQ(m_rig.me2.log.back(), "close");
    EXPECT_FALSE(shown(MenuItem::Music));
    EXPECT_TRUE(m_rig.me1.log.empty());
}

TEST_F(PracticeSessionTest, GivingUpAsksFirstThenEndsTheAttemptAndShowsTheFiguresModal) {
    m_rig.type(u"ax");
    m_rig.window.answerYes = false;
    m_rig.session.giveUpAttempt();
    EXPECT_EQ(m_rig.window.lastQuestion, u"你要放弃当前的练习吗？|提示");
    EXPECT_EQ(m_rig.typing.typed, u"ax");
    EXPECT_EQ(m_rig.window.dialogShownModal, 0);

    m_rig.window.answerYes = true;
    m_rig.session.giveUpAttempt();
    EXPECT_TRUE(m_rig.lesson.text().empty());
    EXPECT_TRUE(m_rig.typing.typed.empty());
    EXPECT_EQ(m_rig.window.dialogShownModal, 1);
    EXPECT_EQ(m_rig.window.dialogShown, 0);
    EXPECT_FALSE(m_rig.window.timer1);
    EXPECT_TRUE(m_rig.window.timer2);
    EXPECT_EQ(m_rig.caption(FormLabel::Label11), u"未开始");
    EXPECT_EQ(m_rig.caption(FormLabel::Label7), u"0");
    EXPECT_EQ(m_rig.window.dialog[DialogLabel::Label7], u"1"); // the figures stay in the dialog
    EXPECT_EQ(m_observer.log.back(), "gave up");

    const int questions = m_rig.window.questions;
    m_rig.session.giveUpAttempt(); // nothing left to give up
    EXPECT_EQ(m_rig.window.questions, questions);
    EXPECT_EQ(m_rig.window.dialogShownModal, 1);
}

TEST_F(PracticeSessionTest, ARunningClockShowsTheNewSpeedAtOnceButAChangeNeverStartsIt) {
    m_rig.clock.time = {9, 59, 58};
    m_rig.type(u"a");
    EXPECT_EQ(m_rig.caption(FormLabel::Label11), u""); // the clock waits for Timer1's tick
    m_rig.session.attemptClockTick();
    EXPECT_EQ(m_rig.caption(FormLabel::Label11), u"9:59:58");
    m_rig.clock.time = {10, 0, 3};
    m_rig.session.attemptClockTick();
    EXPECT_EQ(m_rig.caption(FormLabel::Label2), u"11.999");
    m_rig.append(u"b");
    EXPECT_EQ(m_rig.caption(FormLabel::Label2), u"23.999");
    EXPECT_EQ(m_rig.window.dialog[DialogLabel::Label2], u"23.999");
    m_rig.append(u"\r\n"); // the line break is no character of the total
    EXPECT_EQ(m_rig.caption(FormLabel::Label2), u"23.999");
}

TEST_F(PracticeSessionTest, TheLessonBoxScrollsToTheNextCharacterAfterEveryChange) {
    m_rig.type(u"ab");
    EXPECT_EQ(m_rig.lesson.revealed, 2);
    m_rig.append(u"\r\n");
    EXPECT_EQ(m_rig.lesson.revealed, 4);
    m_rig.backspace();
    EXPECT_EQ(m_rig.lesson.revealed, 2);
}

TEST_F(PracticeSessionTest, ObserversFollowEveryEvaluationTakeBackAndLineBreak) {
    RecordingObserver second;
    m_rig.session.addObserver(second);
    m_rig.type(u"ax");     // one commit of two characters
    m_rig.backspace();     // the wrong one taken back
    m_rig.append(u"b");    // and typed right
    m_rig.append(u"\r\n"); // the line break
    m_rig.backspace();     // taken back whole
    m_rig.append(u"z");    // any key at the line end is the line break
    m_rig.append(u"\u301C");
    const Log expected = {"right 0 a a", "wrong 1 b x", "back 1",  "right 1 b b",
                          "break 2",     "back 2",      "break 2", "wrong 4 c \u301C"};
    EXPECT_EQ(m_observer.log, expected);
    EXPECT_EQ(second.log, expected);
}

TEST_F(PracticeSessionTest, CompletionReportsTheFiguresTheReadoutsLastShowed) {
    m_rig.clock.time = {9, 0, 0};
    m_rig.type(u"a");
    m_rig.session.attemptClockTick();
    m_rig.clock.time = {9, 0, 30};
    m_rig.append(u"x");
    m_rig.session.attemptClockTick();
    m_rig.append(u"\r\n");
    m_rig.append(u"cd");
    m_rig.clock.time = {9, 0, 45}; // no tick shows this second before the end
    m_rig.append(u"!");
    EXPECT_EQ(m_observer.log.front(), "right 0 a a");
    EXPECT_EQ(m_observer.log[1], "started");
    EXPECT_EQ(m_observer.log.back(), "completed");
    EXPECT_EQ(m_observer.figures, (AttemptFigures{30, 4, 3, 1, 7.9999, FakeClock::today({9, 0, 0}),
                                                  FakeClock::today({9, 0, 30})}));
    EXPECT_EQ(m_rig.window.dialog[DialogLabel::L3], u"0:0:30");
    EXPECT_EQ(m_rig.window.dialog[DialogLabel::Label9], u"4");
}

TEST_F(PracticeSessionTest, AnAttemptGivenUpBeforeTheClockStartedHasNoTimeNorSpeed) {
    m_rig.type(u"ab");
    m_rig.session.giveUpAttempt();
    EXPECT_EQ(m_observer.figures, (AttemptFigures{0, 2, 2, 0, 0}));
    EXPECT_EQ(std::count(m_observer.log.begin(), m_observer.log.end(), "started"), 0);
}

TEST_F(PracticeSessionTest, ALoadReportsANewAttemptUnlessTheLearnerKeepsTheRunningOne) {
    namespace fs = std::filesystem;
    const fs::path file = fs::temp_directory_path() / "orvanta-session-test-J01A.ORV";
    std::ofstream(file, std::ios::binary) << ""; // an empty lesson
    m_rig.type(u"a");
    m_rig.window.answerYes = false;
    m_rig.session.loadLesson(file.string());
    EXPECT_EQ(m_observer.log, Log{"right 0 a a"});
    m_rig.window.answerYes = true;
    m_rig.session.loadLesson(file.string());
    EXPECT_EQ(m_observer.log.back(), "loaded");
    EXPECT_EQ(m_rig.state.CurPos, 0);
    fs::remove(file);
}
