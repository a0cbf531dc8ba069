#include "core/code_page.h"
#include "core/utf8.h"

#include <gtest/gtest.h>

class CodePageTest : public ::testing::Test {
  protected:
    CodePage m_codePage;
};

TEST_F(CodePageTest, DecodesSingleAndDoubleByteCodes) {
    EXPECT_EQ(m_codePage.decodeCode('A'), u'A');
    EXPECT_EQ(m_codePage.decodeCode(13), u'\r');
    EXPECT_EQ(m_codePage.decodeCode(0xA4A2), u'あ');
    EXPECT_EQ(m_codePage.decodeCode(0xA5F4), u'ヴ');
    EXPECT_EQ(m_codePage.decodeCode(0xD6D0), u'中');
    EXPECT_EQ(m_codePage.decodeCode(0xA1A4), u'·');
}

TEST_F(CodePageTest, CodesThatAreNoCharacterDecodeToReplacement) {
    EXPECT_EQ(m_codePage.decodeCode(0x0C41), u'\uFFFD'); // 0x0C is no lead byte
    EXPECT_EQ(m_codePage.decodeCode(0xFF41), u'\uFFFD');
    EXPECT_EQ(m_codePage.decodeCode(0x00FE), u'\uFFFD'); // a lead byte on its own
}

TEST_F(CodePageTest, InputMethodCharactersMissingFromGbkTakeTheirLookAlikes) {
    EXPECT_EQ(m_codePage.canonical(u'\u301C'), u'\uFF5E');
    EXPECT_EQ(m_codePage.canonical(u'\u30FB'), u'\u00B7');
    EXPECT_EQ(m_codePage.canonical(u'ｱ'), u'ｱ'); // not in GBK: stays as typed
    EXPECT_EQ(m_codePage.canonical(u'語'), u'語');
    EXPECT_EQ(m_codePage.encodeText(u"〜・"), m_codePage.encodeText(u"～·"));
}

TEST_F(CodePageTest, TextRoundTripsAndUnencodableCharactersBecomeQuestionMarks) {
    const std::u16string text = u"李さん：日本語、ＡＢＣ。";
    EXPECT_EQ(m_codePage.decodeText(m_codePage.encodeText(text)), text);
    EXPECT_EQ(m_codePage.encodeText(u"a¥b"), "a?b");
}

TEST_F(CodePageTest, InvalidBytesDecodeToReplacementAndTheRestSurvives) {
    EXPECT_EQ(m_codePage.decodeText("a\x80"
                                    "b"),
              u"a\uFFFDb");
    EXPECT_EQ(m_codePage.decodeText("\xB0\x0A"
                                    "c"),
              u"\uFFFD\nc");                               // bad trail kept as ASCII
    EXPECT_EQ(m_codePage.decodeText("x\xB0"), u"x\uFFFD"); // truncated at the end
}

TEST(Utf8, RoundTripsAndRejectsMalformedInput) {
    const std::u16string text = u"にほんご\r\n中文 😀";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    Utf8Error error{};
    EXPECT_FALSE(fromUtf8("ab\xC3", &error));
    EXPECT_EQ(error.byteOffset, 2u);
    EXPECT_FALSE(fromUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(fromUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(fromUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
}
