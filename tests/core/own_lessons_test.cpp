// Making lesson files of a teacher's own texts: tidying, the GBK check, the
// size limit, importing text files, replacing a lesson file and listing them.
#include "core/atomic_write.h"
#include "core/lesson_codec.h"
#include "core/line_breaks.h"
#include "core/local_files.h"
#include "core/own_lessons.h"
#include "core/regular_file.h"
#include "core/text_import.h"
#include "core/utf8.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class OwnLessonFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("orvanta-own-" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(m_dir / name, std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) {
        return std::get<std::string>(readRegularFile(path(name), kLessonFileLimit));
    }
    fs::path m_dir;
    CodePage m_codePage;
};

} // namespace

TEST(TidyLessonText, LinesEndInCrLfWithNothingInvisibleLeftToType) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"a\rb\nc\r\nd", u"a\r\nb\r\nc\r\nd"},
        {u"辞書\tじしょ", u"辞書 じしょ"},
        {u"一行目  \r\n二行目\u3000\t\n三", u"一行目\r\n二行目\r\n三"},
        {u"終わり。\r\n\r\n  \n", u"終わり。"},
        {u" \t\r\n", u""},
    };
    for (const auto& [text, tidied] : cases)
        EXPECT_EQ(tidyLessonText(text), tidied) << toUtf8(text);
}

TEST_F(OwnLessonFilesTest, JapaneseChinesePunctuationAndMixedTextRoundTrip) {
    for (const std::u16string text :
         {u"これは本です。\r\n田中さん、おはよう。", u"“你好！”——他说：《日语》（初级）；",
          u"李：はい、そうです～·ＡＢＣ１２３\r\nabc 「辞書」"}) {
        const auto file = lessonFileOf(text, m_codePage);
        ASSERT_TRUE(std::holds_alternative<std::string>(file));
        EXPECT_EQ(decodeLesson(std::get<std::string>(file), m_codePage).text, text);
    }
}

TEST_F(OwnLessonFilesTest, EveryCharacterOutsideGbkIsNamedWhereItIs) {
    const auto file = lessonFileOf(u"ab\r\ncｱ\r\n\U0001F600〜x", m_codePage);
    ASSERT_TRUE(std::holds_alternative<LessonRefusal>(file));
    const auto& outside = std::get<LessonRefusal>(file).outsideGbk;
    ASSERT_EQ(outside.size(), 2u); // 〜 has a best fit in GBK
    EXPECT_EQ(outside[0].codePoint, U'ｱ');
    EXPECT_EQ(outside[0].line, 2u);
    EXPECT_EQ(outside[0].column, 2u);
    EXPECT_EQ(outside[0].offset, 5u);
    EXPECT_EQ(outside[1].codePoint, U'\U0001F600');
    EXPECT_EQ(outside[1].line, 3u);
    EXPECT_EQ(outside[1].column, 1u);
}

TEST_F(OwnLessonFilesTest, ALessonLargerThanTheReaderTakesIsRefused) {
    const std::u16string largest(kLessonFileLimit / 2 - 1, u'あ');
    EXPECT_TRUE(std::holds_alternative<std::string>(lessonFileOf(largest, m_codePage)));
    const auto file = lessonFileOf(largest + u'あ', m_codePage);
    ASSERT_TRUE(std::holds_alternative<LessonRefusal>(file));
    EXPECT_TRUE(std::get<LessonRefusal>(file).outsideGbk.empty());
    EXPECT_EQ(std::get<LessonRefusal>(file).fileSize, kLessonFileLimit + 2);
}

TEST_F(OwnLessonFilesTest, TextFilesAreReadInTheEncodingTheyAreIn) {
    const struct {
        std::string bytes;
        std::u16string text;
        TextEncoding encoding;
    } cases[] = {
        {"\xE6\x97\xA5\xE6\x9C\xAC\r\nabc", u"日本\r\nabc", TextEncoding::Utf8},
        {"\xEF\xBB\xBF\xE3\x81\x82", u"あ", TextEncoding::Utf8WithByteOrderMark},
        {m_codePage.encodeText(u"これは图书馆です。\n你好"), u"これは图书馆です。\n你好",
         TextEncoding::Gbk},
        {"", u"", TextEncoding::Utf8},
    };
    for (const auto& c : cases) {
        const auto imported = importText(c.bytes, m_codePage);
        ASSERT_TRUE(std::holds_alternative<ImportedText>(imported)) << c.bytes;
        EXPECT_EQ(std::get<ImportedText>(imported).text, c.text);
        EXPECT_EQ(std::get<ImportedText>(imported).encoding, c.encoding);
    }
}

TEST_F(OwnLessonFilesTest, AFileThatIsNoTextIsRefusedWithTheReason) {
    const struct {
        std::string bytes;
        NotText reason;
        size_t offset;
    } cases[] = {
        {std::string("\x89PNG\r\n\x1A\n\0\0", 10), NotText::ControlCharacter, 6},
        {std::string("ab\0cd", 5), NotText::NulByte, 2},
        {"\xFF\xFE"
         "a",
         NotText::Utf16, 0},
        {"ok \x80\x80", NotText::UnknownEncoding, 3},
    };
    for (const auto& c : cases) {
        const auto imported = importText(c.bytes, m_codePage);
        ASSERT_TRUE(std::holds_alternative<RefusedText>(imported)) << c.bytes;
        EXPECT_EQ(std::get<RefusedText>(imported).reason, c.reason);
        EXPECT_EQ(std::get<RefusedText>(imported).byteOffset, c.offset);
    }
}

// A save that dies half-way (here the file size limit cuts the write short)
// leaves the old lesson as it was and no temporary file; one left by a crash
// is no lesson.
TEST_F(OwnLessonFilesTest, AnInterruptedSaveNeverDamagesTheOldLesson) {
    write("课文.ORV", "old lesson");
    write("课文.ORV.a1b2c3", "half of a new one");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto error = replaceFile(path("课文.ORV"), "a new lesson, longer than four bytes");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_DFL);

    EXPECT_EQ(error, EFBIG);
    EXPECT_EQ(read("课文.ORV"), "old lesson");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2);
    EXPECT_EQ(listOwnLessons(m_dir.string()), (std::vector<OwnLesson>{{"课文", path("课文.ORV")}}));
    EXPECT_EQ(replaceFile(path("课文.ORV"), "new"), std::nullopt);
    EXPECT_EQ(read("课文.ORV"), "new");
}

TEST_F(OwnLessonFilesTest, TheFolderListsItsLessonFilesInNameOrder) {
    write("第2课.ORV", "");
    write("第1课.ORV", "");
    write("notes.txt", "");
    write(".ORV", "");
    fs::create_directory(m_dir / "folder.ORV");
    EXPECT_EQ(listOwnLessons(m_dir.string()),
              (std::vector<OwnLesson>{{"第1课", path("第1课.ORV")}, {"第2课", path("第2课.ORV")}}));
    EXPECT_TRUE(listOwnLessons(path("missing")).empty());
    EXPECT_EQ(ownLessonTitle(m_dir.string(), path("第1课.ORV")), "第1课");
    EXPECT_EQ(ownLessonTitle(m_dir.string(), "/elsewhere/第1课.ORV"), std::nullopt);
}

// What a save killed before its rename left goes once it is old; a save
// that may still be running, and anything else, stays.
TEST_F(OwnLessonFilesTest, StaleTemporaryFilesOfKilledSavesAreRemoved) {
    for (const char* name :
         {"第1课.ORV", "第1课.ORV.a1B2c3", "第2课.ORV.x9Y8z7", "notes.ORV.txt", "notes.txt.a1B2c3"})
        write(name, "x");
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(2);
    for (const char* name : {"第1课.ORV", "第1课.ORV.a1B2c3", "notes.ORV.txt", "notes.txt.a1B2c3"})
        fs::last_write_time(m_dir / name, old);
    removeStaleSaves(m_dir.string());
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(m_dir))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"notes.ORV.txt", "notes.txt.a1B2c3", "第1课.ORV",
                                              "第2课.ORV.x9Y8z7"}));
}

TEST(OwnLessonPath, ATitleBecomesAFileNameOnlyWhenItCanBeOne) {
    EXPECT_EQ(ownLessonPath("/l", "会話 1"), "/l/会話 1.ORV");
    for (const std::string& title :
         std::vector<std::string>{"", "a/b", ".hidden", std::string(241, 'x')})
        EXPECT_EQ(ownLessonPath("/l", title), std::nullopt) << title;
}
