#include "records/history_pages.h"

#include <gtest/gtest.h>

namespace {

// Every page of the bytes, `pageBytes` at a time, joined.
std::u16string allPages(const std::string& bytes, size_t pageBytes, CodePage& codePage) {
    HistoryPages pages(bytes, codePage);
    std::u16string text;
    while (!pages.atEnd())
        text += pages.next(pageBytes);
    return text;
}

} // namespace

class HistoryPagesTest : public ::testing::Test {
  protected:
    CodePage m_codePage;
};

TEST_F(HistoryPagesTest, ShowEveryKindOfLineBreakAsOneWhateverThePageSize) {
    const std::string bytes = "\n" + m_codePage.encodeText(u"学习者:李") + "\r\n" +
                              m_codePage.encodeText(u"练习字数:128") + "\r\rend\n\r";
    const std::u16string shown = u"\n学习者:李\n练习字数:128\n\nend\n\n";
    for (size_t pageBytes = 1; pageBytes <= bytes.size() + 1; ++pageBytes) {
        SCOPED_TRACE(pageBytes);
        EXPECT_EQ(allPages(bytes, pageBytes, m_codePage), shown);
    }
}

TEST_F(HistoryPagesTest, KeepADoubleByteCharacterCutByThePageEndWhole) {
    const std::string bytes = m_codePage.encodeText(u"a学b");
    HistoryPages pages(bytes, m_codePage);
    EXPECT_EQ(pages.next(2), u"a");
    EXPECT_EQ(pages.next(2), u"学");
    EXPECT_EQ(pages.next(2), u"b");
    EXPECT_TRUE(pages.atEnd());
    EXPECT_EQ(allPages("ok\x80\xFF"
                       "\x81",
                       2, m_codePage),
              u"ok\uFFFD\uFFFD\uFFFD");
}

TEST_F(HistoryPagesTest, CutALongLineIntoLinesOfAtMostTheLongestLength) {
    constexpr size_t kLongest = HistoryPages::kLongestLine;
    const std::string bytes =
        std::string(kLongest * 2 + 5, 'x') + "\r\n" + std::string(kLongest, 'y');
    const std::u16string expected = std::u16string(kLongest, u'x') + u"\n" +
                                    std::u16string(kLongest, u'x') + u"\n" + u"xxxxx\n" +
                                    std::u16string(kLongest, u'y');
    EXPECT_EQ(allPages(bytes, 777, m_codePage), expected);
    EXPECT_EQ(allPages(bytes, 1 << 20, m_codePage), expected);
}
