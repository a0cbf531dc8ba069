#include "core/lesson_codec.h"
#include "tests/fakes/practice_rig.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

class LessonLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir =
            fs::temp_directory_path() /
            ("orvanta-loader-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "ldata");
        fs::current_path(m_dir);
    }
    void TearDown() override {
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(m_dir);
    }
    void writeLesson(const std::string& name, std::u16string_view text) {
        write(name, std::get<std::string>(encodeLesson(text, m_codePage)));
    }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
    }

    fs::path m_dir;
    CodePage m_codePage;
    PracticeRig m_rig;
};

TEST_F(LessonLoaderTest, LoadsARelativePathAndItsRecording) {
    writeLesson("ldata/J01A.ORV", u"これは本です。\r\nはい。");
    write("ldata/J01A.wma", "x");
    m_rig.session.loadLesson("ldata/J01A.ORV");
    EXPECT_EQ(m_rig.lesson.text(), u"これは本です。\r\nはい。");
    EXPECT_EQ(m_rig.window.questions, 0);
    EXPECT_EQ(m_rig.player.log,
              (std::vector<std::string>{"enable", "close", "url ldata/J01A.wma"}));
    EXPECT_EQ(m_rig.caption(FormLabel::Label11), u"未开始");
    EXPECT_EQ(m_rig.caption(FormLabel::Label3), u"未用");
    EXPECT_TRUE(m_rig.window.timer2);
}

TEST_F(LessonLoaderTest, WithoutRecordingThePlayerIsEmptiedAndDisabled) {
    writeLesson("ldata/J02B.ORV", u"あ");
    m_rig.session.loadLesson("ldata/J02B.ORV");
    EXPECT_EQ(m_rig.player.log, (std::vector<std::string>{"url ", "close", "disable"}));
}

TEST_F(LessonLoaderTest, AnsweringNoKeepsTheAttemptExactlyAsItWas) {
    writeLesson("a.ORV", u"abc");
    m_rig.session.loadLesson("a.ORV");
    m_rig.type(u"ax");
    m_rig.window.answerYes = false;
    m_rig.session.loadLesson("a.ORV");
    EXPECT_EQ(m_rig.window.lastQuestion, u"要学习新的课程吗？|提示");
    EXPECT_EQ(m_rig.typing.typed, u"ax");
    EXPECT_EQ(m_rig.state.CurPos, 2);
    EXPECT_TRUE(m_rig.window.timer1);
    EXPECT_EQ(m_rig.lesson.colours[1], kRed);
}

TEST_F(LessonLoaderTest, AnsweringYesStartsAFreshAttempt) {
    writeLesson("a.ORV", u"abc");
    m_rig.session.loadLesson("a.ORV");
    m_rig.type(u"ax");
    m_rig.session.attemptClockTick();
    ASSERT_EQ(m_rig.state.ClockStarted, 1);
    m_rig.session.loadLesson("a.ORV");
    EXPECT_EQ(m_rig.state.CurPos, 0);
    EXPECT_EQ(m_rig.state.WrongCount, 0);
    EXPECT_EQ(m_rig.state.ClockStarted, 0);
    EXPECT_TRUE(m_rig.state.PrevTyped.empty());
    EXPECT_TRUE(m_rig.typing.typed.empty());
    EXPECT_EQ(m_rig.lesson.colours[1], kBlack);
    EXPECT_FALSE(m_rig.window.timer1);
    EXPECT_EQ(m_rig.caption(FormLabel::Label9), u"0");
}

TEST_F(LessonLoaderTest, AMissingFileGivesAnEmptyLessonAndIsNotCreated) {
    m_rig.player.url = "old.wma";
    m_rig.session.loadLesson("ldata/J09A.ORV");
    EXPECT_TRUE(m_rig.lesson.text().empty());
    EXPECT_FALSE(fs::exists(m_dir / "ldata/J09A.ORV"));
    EXPECT_EQ(m_rig.player.url, ""); // the load went on to the recording
}

TEST_F(LessonLoaderTest, AMissingFolderLeavesThePlayerAsItWas) {
    m_rig.player.url = "old.wma";
    m_rig.session.loadLesson("nothere/J01A.ORV");
    EXPECT_TRUE(m_rig.lesson.text().empty());
    EXPECT_EQ(m_rig.player.url, "old.wma");
}

TEST_F(LessonLoaderTest, ABrokenWordKeepsWhatWasDecodedAndLeavesThePlayer) {
    std::string bytes = std::get<std::string>(encodeLesson(u"ab", m_codePage));
    bytes.insert(2, std::string("\x35\x8D", 2)); // t = -32768 after "a"
    write("b.ORV", bytes);
    write("b.wma", "x");
    m_rig.player.url = "old.wma";
    m_rig.session.loadLesson("b.ORV");
    EXPECT_EQ(m_rig.lesson.text(), u"a");
    EXPECT_EQ(m_rig.player.url, "old.wma");
}

TEST_F(LessonLoaderTest, AFileNameWithoutDotLoadsTheTextButLeavesThePlayer) {
    writeLesson("noext", u"abc");
    m_rig.player.url = "old.wma";
    m_rig.session.loadLesson("noext");
    EXPECT_EQ(m_rig.lesson.text(), u"abc");
    EXPECT_EQ(m_rig.player.url, "old.wma");
}

TEST_F(LessonLoaderTest, AfterCompletionTheNextLoadAsksNothingAndStartsFromZero) {
    writeLesson("a.ORV", u"ab");
    m_rig.session.loadLesson("a.ORV");
    m_rig.type(u"ab\r\n"); // Enter as the extra keystroke completes
    EXPECT_EQ(m_rig.window.dialogShown, 1);
    m_rig.session.loadLesson("a.ORV");
    EXPECT_EQ(m_rig.window.questions, 0);
    EXPECT_EQ(m_rig.state.RightCount, 0);
    EXPECT_EQ(m_rig.state.LineBreakCount, 0);
}

TEST_F(LessonLoaderTest, ABackslashIsPartOfTheFileNameAndFindsItsOwnRecording) {
    writeLesson("a\\b.ORV", u"backslash");
    write("a\\b.wma", "x");
    fs::create_directory(m_dir / "a");
    writeLesson("a/b.ORV", u"folder");
    m_rig.session.loadLesson("a\\b.ORV");
    EXPECT_EQ(m_rig.lesson.text(), u"backslash");
    EXPECT_EQ(m_rig.player.url, "a\\b.wma");
}

TEST_F(LessonLoaderTest, ANativePathFindsItsRecordingBesideItWhateverItsFolderIsCalled) {
    fs::create_directories(m_dir / "a:b");
    writeLesson("a:b/l.ORV", u"l");
    write("a:b/l.wma", "x");
    m_rig.session.loadLesson((m_dir / "a:b/l.ORV").string());
    EXPECT_EQ(m_rig.player.url, (m_dir / "a:b/l.wma").string());

    fs::create_directories(m_dir / "my.lessons");
    writeLesson("my.lessons/noext", u"n");
    write("my.lessons/noext.wma", "x");
    m_rig.player.url = "old.wma";
    m_rig.session.loadLesson((m_dir / "my.lessons/noext").string());
    EXPECT_EQ(m_rig.lesson.text(), u"n");
    EXPECT_EQ(m_rig.player.url, "old.wma");
}

TEST_F(LessonLoaderTest, ALoneCarriageReturnOrLineFeedBecomesAWholeLineBreak) {
    writeLesson("a.ORV", u"a\rb\nc\r\nd\n\re\r");
    m_rig.session.loadLesson("a.ORV");
    EXPECT_EQ(m_rig.lesson.text(), u"a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
    for (std::u16string_view key : {u"a", u"\r\n", u"b", u"\r\n", u"c"})
        m_rig.append(key);
    EXPECT_EQ(m_rig.state.WrongCount, 0);
    EXPECT_EQ(m_rig.state.CurPos, 7);
}

TEST_F(LessonLoaderTest, WhatIsNoRegularLessonFileLeavesAnEmptyBoxAndThePlayerAsItWas) {
    fs::create_directories(m_dir / "DIR.ORV");
    ASSERT_EQ(::mkfifo((m_dir / "fifo.ORV").c_str(), 0600), 0);
    const std::string largest(kLessonFileLimit, '\x10'); // one long line of a single character
    write("largest.ORV", largest);
    write("larger.ORV", largest + "\x10");
    for (const std::string path : {"DIR.ORV", "fifo.ORV", "/dev/zero", "/dev/null", "larger.ORV"}) {
        SCOPED_TRACE(path);
        m_rig.player.url = "old.wma";
        m_rig.session.loadLesson(path);
        EXPECT_TRUE(m_rig.lesson.text().empty());
        EXPECT_EQ(m_rig.player.url, "old.wma");
    }
    m_rig.session.loadLesson("largest.ORV");
    EXPECT_EQ(m_rig.lesson.text().size(), kLessonFileLimit / 2);
}
