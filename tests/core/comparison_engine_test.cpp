#include "tests/fakes/practice_rig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string kRight = "/prog/Sound/True.wav";
const std::string kWrong = "/prog/Sound/false.wav";
const std::string kBack = "/prog/Sound/back.wav";
const std::string kEnter = "/prog/Sound/Enter.wav";
const std::string kFinish = "/prog/Sound/finish.wav";

} // namespace

class ComparisonEngineTest : public ::testing::Test {
  protected:
    void SetUp() override { m_rig.start(u"ab\r\ncd"); }

    // The invariants of a running attempt between two changes.
    void expectInStep() {
        const AttemptState& s = m_rig.state;
        EXPECT_EQ(s.PrevTyped, m_rig.typing.typed);
        EXPECT_EQ(s.CurPos, static_cast<Pos>(s.PrevTyped.size()));
        EXPECT_EQ(s.RightCount - s.LineBreakCount + s.WrongCount, s.CurPos - s.LineBreakCount);
    }
    std::vector<Pos> underlines() { return m_rig.lesson.visibleUnderlines(); }
    // The whole lesson "ab\r\ncd", typed one keystroke at a time.
    void typeWholeLesson() {
        for (std::u16string_view key : {u"a", u"b", u"\r\n", u"c", u"d"})
            m_rig.append(key);
    }

    PracticeRig m_rig;
};

TEST_F(ComparisonEngineTest, WithoutLessonTypingChangesNothingButTheBox) {
    m_rig.start(u"");
    m_rig.type(u"a");
    EXPECT_FALSE(m_rig.window.savEnabled);
    EXPECT_FALSE(m_rig.window.timer1);
    EXPECT_EQ(m_rig.window.captionWrites, 0);
    EXPECT_TRUE(m_rig.me1.log.empty());
}

TEST_F(ComparisonEngineTest, RightCharacterTurnsBlueAndMovesTheUnderline) {
    m_rig.type(u"a");
    EXPECT_EQ(m_rig.lesson.colours[0], kBlue);
    EXPECT_EQ(underlines(), std::vector<Pos>{1});
    EXPECT_EQ(m_rig.me1.played(), std::vector<std::string>{kRight});
    EXPECT_EQ(m_rig.caption(FormLabel::Label9), u"1");
    EXPECT_EQ(m_rig.caption(FormLabel::Label5), u"1");
    EXPECT_EQ(m_rig.caption(FormLabel::Label7), u"0");
    EXPECT_EQ(m_rig.window.dialog[DialogLabel::Label9], u"1");
    EXPECT_TRUE(m_rig.window.savEnabled);
    EXPECT_TRUE(m_rig.window.timer1);
    expectInStep();
}

TEST_F(ComparisonEngineTest, WrongCharacterThenBackspaceRestoresTheMark) {
    m_rig.type(u"x");
    EXPECT_EQ(m_rig.lesson.colours[0], kRed);
    EXPECT_EQ(m_rig.caption(FormLabel::Label7), u"1");
    m_rig.backspace();
    EXPECT_EQ(m_rig.lesson.colours[0], kBlack);
    EXPECT_EQ(underlines(), std::vector<Pos>{0});
    EXPECT_EQ(m_rig.caption(FormLabel::Label7), u"0");
    EXPECT_EQ(m_rig.me1.played(), (std::vector<std::string>{kWrong, kBack}));
    expectInStep();
}

TEST_F(ComparisonEngineTest, AnyKeyAtALineEndBecomesTheLineBreak) {
    m_rig.type(u"ab");
    m_rig.append(u"z");
    EXPECT_EQ(m_rig.typing.typed, u"ab\r\n");
    EXPECT_TRUE(m_rig.typing.caretAtEnd);
    EXPECT_EQ(m_rig.me1.played().back(), kEnter);
    EXPECT_EQ(underlines(), std::vector<Pos>{4});
    EXPECT_EQ(m_rig.caption(FormLabel::Label9), u"2");
    EXPECT_EQ(m_rig.state.LineBreakCount, 2);
    expectInStep();
    m_rig.append(u"cx");
    EXPECT_EQ(m_rig.caption(FormLabel::Label9), u"4");
    EXPECT_EQ(m_rig.state.CurPos, 6);
    EXPECT_EQ(m_rig.caption(FormLabel::Label5), u"3");
}

TEST_F(ComparisonEngineTest, BackspaceAfterLineBreakRemovesBothCharacters) {
    m_rig.type(u"ab\r\n");
    m_rig.backspace(); // the box itself removed only the LF
    EXPECT_EQ(m_rig.typing.typed, u"ab");
    EXPECT_EQ(m_rig.state.CurPos, 2);
    EXPECT_EQ(m_rig.state.RightCount, 2);
    EXPECT_EQ(m_rig.state.LineBreakCount, 0);
    EXPECT_TRUE(m_rig.lesson.underlined[2]); // the break's place
    EXPECT_TRUE(underlines().empty());
    EXPECT_EQ(m_rig.caption(FormLabel::Label9), u"2");
    expectInStep();
}

TEST_F(ComparisonEngineTest, ACommitOfSeveralCharactersIsEvaluatedInOrder) {
    m_rig.type(u"ax");
    EXPECT_EQ(m_rig.lesson.colours[0], kBlue);
    EXPECT_EQ(m_rig.lesson.colours[1], kRed);
    EXPECT_EQ(m_rig.me1.played(), (std::vector<std::string>{kRight, kWrong}));
    expectInStep();
}

TEST_F(ComparisonEngineTest, ACommitAcrossALineEndIsEvaluatedOnBothSidesOfTheBreak) {
    m_rig.type(u"a");
    m_rig.append(u"bcx"); // "b" ends the line, "cx" begins the next one
    EXPECT_EQ(m_rig.typing.typed, u"ab\r\ncx");
    EXPECT_EQ(m_rig.me1.played(),
              (std::vector<std::string>{kRight, kRight, kEnter, kRight, kWrong}));
    EXPECT_EQ(m_rig.lesson.colours[4], kBlue);
    EXPECT_EQ(m_rig.lesson.colours[5], kRed);
    EXPECT_EQ(m_rig.caption(FormLabel::Label9), u"4");
    EXPECT_EQ(m_rig.caption(FormLabel::Label5), u"3");
    EXPECT_EQ(m_rig.caption(FormLabel::Label7), u"1");
    expectInStep();
    m_rig.backspace(2);
    EXPECT_EQ(m_rig.typing.typed, u"ab\r\n");
    EXPECT_EQ(underlines(), std::vector<Pos>{4});
    expectInStep();
}

TEST_F(ComparisonEngineTest, ACommitStartingAtALineEndKeepsAllItsCharacters) {
    m_rig.type(u"ab");
    m_rig.append(u"cd");
    EXPECT_EQ(m_rig.typing.typed, u"ab\r\ncd");
    EXPECT_EQ(m_rig.state.RightCount - m_rig.state.LineBreakCount, 4);
    expectInStep();
}

TEST_F(ComparisonEngineTest, EveryLineBreakACommitReachesIsEnteredInTurn) {
    m_rig.start(u"ab\r\n\r\ncd\r\nef");
    m_rig.type(u"a");
    m_rig.append(u"bcdxf");
    EXPECT_EQ(m_rig.typing.typed, u"ab\r\n\r\ncd\r\nxf");
    EXPECT_EQ(m_rig.state.LineBreakCount, 6);
    EXPECT_EQ(m_rig.caption(FormLabel::Label5), u"5");
    EXPECT_EQ(m_rig.caption(FormLabel::Label7), u"1");
    EXPECT_EQ(m_rig.lesson.colours[10], kRed);
    const std::vector<std::string> played = m_rig.me1.played();
    EXPECT_EQ(std::count(played.begin(), played.end(), kEnter), 3);
    expectInStep();
}

TEST_F(ComparisonEngineTest, ALineBreakInsideACommitIsTheLessonsLineBreak) {
    m_rig.type(u"a");
    m_rig.append(u"b\r\nc"); // a pasted line end
    EXPECT_EQ(m_rig.typing.typed, u"ab\r\nc");
    EXPECT_EQ(m_rig.state.WrongCount, 0);
    expectInStep();
}

TEST_F(ComparisonEngineTest, ACommitRunningPastTheEndCompletesWithWhatWasEvaluated) {
    m_rig.type(u"ab");
    m_rig.append(u"cdxy");
    EXPECT_EQ(m_rig.window.dialogShown, 1);
    EXPECT_EQ(m_rig.me1.played(),
              (std::vector<std::string>{kRight, kRight, kEnter, kRight, kRight, kFinish}));
    EXPECT_EQ(m_rig.window.dialog[DialogLabel::Label9], u"4");
    EXPECT_EQ(m_rig.window.dialog[DialogLabel::Label5], u"4");
    EXPECT_EQ(m_rig.window.dialog[DialogLabel::Label7], u"0");
    EXPECT_EQ(m_rig.caption(FormLabel::Label9), u"0");
    EXPECT_TRUE(m_rig.typing.typed.empty());
    EXPECT_FALSE(m_rig.window.timer1);

    PracticeRig rig;
    rig.start(u"ab\r\ncd");
    rig.type(u"ab\r\nc");
    rig.append(u"x!"); // the last character fits, the one after it completes
    EXPECT_EQ(rig.window.dialogShown, 1);
    EXPECT_EQ(rig.window.dialog[DialogLabel::Label9], u"4");
    EXPECT_EQ(rig.window.dialog[DialogLabel::Label7], u"1");
}

TEST_F(ComparisonEngineTest, EnterOneCharacterEarlyKeepsTypedTextAndPositionInStep) {
    m_rig.type(u"a");
    m_rig.append(u"\r\n");
    EXPECT_EQ(m_rig.lesson.colours[1], kRed); // the missed "b"
    EXPECT_EQ(m_rig.state.WrongCount, 1);
    EXPECT_EQ(m_rig.typing.typed,
              std::u16string(u"a") + ComparisonEngine::kEarlyLineBreakMark + u"\r\n");
    expectInStep();
    m_rig.backspace(2); // the line break
    m_rig.backspace();  // the mark of the missed character
    EXPECT_EQ(m_rig.typing.typed, u"a");
    EXPECT_EQ(m_rig.state.WrongCount, 0);
    EXPECT_EQ(m_rig.lesson.colours[1], kBlack);
    expectInStep();
    m_rig.append(u"b");
    m_rig.append(u"\r\n");
    m_rig.append(u"cd");
    m_rig.append(u"!");
    EXPECT_EQ(m_rig.window.dialogShown, 1); // completion stays exact
}

TEST_F(ComparisonEngineTest, DeletingSeveralCharactersTakesThemBackLastFirst) {
    m_rig.type(u"ab\r\n");
    m_rig.append(u"cx");
    m_rig.type(u"ab\r\n");
    EXPECT_EQ(m_rig.me1.played(),
              (std::vector<std::string>{kRight, kRight, kEnter, kRight, kWrong, kBack, kBack}));
    EXPECT_EQ(m_rig.lesson.colours[4], kBlack);
    EXPECT_EQ(m_rig.lesson.colours[5], kBlack);
    EXPECT_EQ(m_rig.state.WrongCount, 0);
    expectInStep();
}

TEST_F(ComparisonEngineTest, DeletionAcrossALineBreakStopsAtTheBreakAndRestoresTheLine) {
    m_rig.type(u"ab\r\nc");
    m_rig.type(u"a"); // one change removed "b", the break and "c"
    EXPECT_EQ(m_rig.typing.typed, u"ab");
    EXPECT_EQ(m_rig.state.CurPos, 2);
    EXPECT_EQ(m_rig.lesson.colours[1], kBlue); // "b" stays evaluated
    expectInStep();
}

TEST_F(ComparisonEngineTest, ReplacingOneCharacterEvaluatesNothing) {
    m_rig.type(u"a");
    m_rig.type(u"x");
    EXPECT_EQ(m_rig.lesson.colours[0], kBlue);
    EXPECT_EQ(m_rig.state.PrevTyped, u"x");
    EXPECT_EQ(m_rig.me1.played().size(), 1u);
}

TEST_F(ComparisonEngineTest, TakingBackAnOvertypedCharacterUndoesItsOriginalCount) {
    m_rig.type(u"a");
    m_rig.type(u"x"); // overtyped: nothing evaluated
    m_rig.backspace();
    EXPECT_EQ(m_rig.state.RightCount, 0);
    EXPECT_EQ(m_rig.state.WrongCount, 0);
    EXPECT_EQ(m_rig.caption(FormLabel::Label7), u"0");
}

TEST_F(ComparisonEngineTest, TypingInsideTheTextEvaluatesItsEnd) {
    m_rig.type(u"a");
    m_rig.type(u"ba"); // caret before "a": the last character is compared at CurPos
    EXPECT_EQ(m_rig.lesson.colours[1], kRed);
    EXPECT_EQ(m_rig.state.CurPos, 2);
}

TEST_F(ComparisonEngineTest, TheCharacterAfterTheWholeTextCompletesWithoutEvaluation) {
    typeWholeLesson();
    EXPECT_EQ(m_rig.window.dialogShown, 0);
    m_rig.append(u"x");
    EXPECT_EQ(m_rig.me1.played().back(), kFinish);
    EXPECT_EQ(m_rig.window.dialogShown, 1);
    EXPECT_TRUE(m_rig.lesson.text().empty());
    EXPECT_TRUE(m_rig.typing.typed.empty());
    EXPECT_FALSE(m_rig.window.timer1);
    EXPECT_TRUE(m_rig.window.timer2);
    EXPECT_EQ(m_rig.caption(FormLabel::Label3), u"未用");
    EXPECT_EQ(m_rig.caption(FormLabel::Label11), u"未开始");
    EXPECT_EQ(m_rig.caption(FormLabel::Label9), u"0");
    EXPECT_EQ(m_rig.window.dialog[DialogLabel::Label9], u"4"); // the last evaluated change
    m_rig.type(u"y");
    EXPECT_EQ(m_rig.window.dialogShown, 1);
}

TEST_F(ComparisonEngineTest, SoundOffPlaysNothingButStillNamesTheCue) {
    m_rig.session.toggleSound();
    m_rig.type(u"ax");
    EXPECT_TRUE(m_rig.me1.played().empty());
    EXPECT_EQ(m_rig.me1.log,
              (std::vector<std::string>{"close", "file " + kRight, "close", "file " + kWrong}));
    EXPECT_EQ(m_rig.lesson.colours[1], kRed);
}

TEST_F(ComparisonEngineTest, TypedLookAlikesOfTheInputMethodMatchTheLesson) {
    m_rig.start(u"～·");
    m_rig.type(u"\u301C\u30FB");
    EXPECT_EQ(m_rig.state.RightCount, 2);
}

TEST_F(ComparisonEngineTest, CountsBeyondSixteenBitsStayExact) {
    const std::u16string lesson(40000, u'あ');
    m_rig.start(lesson);
    m_rig.type(std::u16string(39000, u'い'));
    EXPECT_EQ(m_rig.state.WrongCount, 39000);
    EXPECT_EQ(m_rig.caption(FormLabel::Label7), u"39000");
    m_rig.type(u"");
    EXPECT_EQ(m_rig.state.WrongCount, 0);
    expectInStep();
}
