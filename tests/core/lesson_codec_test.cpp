#include "core/lesson_codec.h"
#include "core/lesson_paths.h"

#include <gtest/gtest.h>

namespace {

std::string words(std::initializer_list<std::uint16_t> stored) {
    std::string bytes;
    for (std::uint16_t w : stored) {
        bytes += static_cast<char>(w & 0xFF);
        bytes += static_cast<char>(w >> 8);
    }
    return bytes;
}

} // namespace

class LessonCodecTest : public ::testing::Test {
  protected:
    CodePage m_codePage;
};

TEST_F(LessonCodecTest, DescramblesWithXorThenSignedSubtraction) {
    EXPECT_EQ(descrambleWord(static_cast<std::uint16_t>(('A' + 0x3B) ^ 0x0D35)), 'A');
    EXPECT_EQ(descrambleWord(0x0D35), static_cast<std::uint16_t>(-0x3B)); // t = 0 gives 0xFFC5
    EXPECT_EQ(descrambleWord(0x8D35 ^ 0x3A ^ 0x3A), std::nullopt);        // t = -32768
    EXPECT_EQ(descrambleWord(0x8000 ^ 0x0D35 ^ 0x3A), std::nullopt);      // t = -32768 + 58
    EXPECT_EQ(descrambleWord(0x8000 ^ 0x0D35 ^ 0x3B), static_cast<std::uint16_t>(0x8000));
}

TEST_F(LessonCodecTest, DecodingStopsAtTerminatorEndOfFileOrOddByte) {
    const std::uint16_t a = scrambleCode('a');
    const std::uint16_t ka = scrambleCode(0xA4AB); // か
    EXPECT_EQ(decodeLesson(words({a, ka, 0, a}), m_codePage).text, u"aか");
    EXPECT_EQ(decodeLesson(words({a, ka}), m_codePage).text, u"aか");
    EXPECT_EQ(decodeLesson(words({a}) + "\x01", m_codePage).text, u"a");
    EXPECT_EQ(decodeLesson(words({0, a}), m_codePage).text, u"");
    EXPECT_EQ(decodeLesson("", m_codePage).text, u"");
}

TEST_F(LessonCodecTest, OverflowStopsDecodingAndKeepsWhatCameBefore) {
    const DecodedLesson lesson =
        decodeLesson(words({scrambleCode('x'), 0x8000 ^ 0x0D35, scrambleCode('y')}), m_codePage);
    EXPECT_EQ(lesson.text, u"x");
    EXPECT_EQ(lesson.failedAtByteOffset, 2u);
}

TEST_F(LessonCodecTest, EncodeThenDecodeGivesTheTextBack) {
    const std::u16string text = u"これは本です。\r\n李：はい、そうです～·";
    const auto encoded = encodeLesson(text, m_codePage);
    ASSERT_TRUE(std::holds_alternative<std::string>(encoded));
    const std::string& bytes = std::get<std::string>(encoded);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string(2, '\0'));
    EXPECT_EQ(decodeLesson(bytes, m_codePage).text, text);
}

TEST_F(LessonCodecTest, EncodingNamesTheFirstCharacterGbkCannotHold) {
    const auto encoded = encodeLesson(u"ab\r\ncdｱe", m_codePage);
    ASSERT_TRUE(std::holds_alternative<UnencodableChar>(encoded));
    const auto bad = std::get<UnencodableChar>(encoded);
    EXPECT_EQ(bad.codePoint, U'ｱ');
    EXPECT_EQ(bad.line, 2u);
    EXPECT_EQ(bad.column, 3u);
}

TEST_F(LessonCodecTest, ACharacterOutsideTheBmpIsNamedByItsCodePoint) {
    const auto encoded = encodeLesson(u"ab\r\nc\U0001F600d", m_codePage);
    ASSERT_TRUE(std::holds_alternative<UnencodableChar>(encoded));
    const auto bad = std::get<UnencodableChar>(encoded);
    EXPECT_EQ(bad.codePoint, U'\U0001F600');
    EXPECT_EQ(bad.column, 2u);
}

TEST(LessonPaths, ParsePathKeepsTheFolderUpToTheLastColonOrBackslash) {
    EXPECT_EQ(ParsePath("ldata\\J01A.ORV"), "ldata\\");
    EXPECT_EQ(ParsePath("C:\\x\\y.ORV"), "C:\\x\\");
    EXPECT_EQ(ParsePath("C:y.ORV"), "C:");
    EXPECT_EQ(ParsePath("y.ORV"), "");
}

TEST(LessonPaths, ParseFileNameCutsAtTheLastDotAfterTheLastBackslash) {
    EXPECT_EQ(ParseFileName("ldata\\J01A.ORV"), "J01A");
    EXPECT_EQ(ParseFileName("C:\\a.b\\c.d.ORV"), "c.d");
    EXPECT_EQ(ParseFileName("x\\.ORV"), "");
    EXPECT_EQ(ParseFileName("x\\abc."), "abc");
    EXPECT_THROW(ParseFileName("C:\\a.b\\noext"), std::invalid_argument);
}

TEST(LessonPaths, APathWithSlashesSplitsAtTheLastSlashOnly) {
    EXPECT_EQ(ParsePath("ldata/J01A.ORV"), "ldata/");
    EXPECT_EQ(ParsePath("/x/a:b/l.ORV"), "/x/a:b/");
    EXPECT_EQ(ParsePath("/x/a:l.ORV"), "/x/");
    EXPECT_EQ(ParsePath("/x/a\\b.ORV"), "/x/");
    EXPECT_EQ(ParseFileName("/x/a:b/l.ORV"), "l");
    EXPECT_EQ(ParseFileName("/x/a:l.ORV"), "a:l");
    EXPECT_EQ(ParseFileName("/x/a\\b.ORV"), "a\\b");
    EXPECT_EQ(ParseFileName("/x/a.b\\c"), "a");
    EXPECT_THROW(ParseFileName("/x/my.lessons/noext"), std::invalid_argument);
}
