#include "records/history_pages.h"

#include "records/history_file.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::u16string withoutBreaks(std::u16string text) {
    std::erase(text, u'\n');
    return text;
}

} // namespace

class HistoryPagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("orvanta-pages-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Every page of a file of these bytes, read the way the viewer may: the
    // first page, then the others from the last back, joined in their order.
    std::u16string allPages(const std::string& bytes, size_t pageBytes) {
        const fs::path path = m_dir / "user.cey";
        std::ofstream(path, std::ios::binary) << bytes;
        const HistoryFile history(path.string(), m_codePage);
        HistoryPages pages(history, pageBytes);
        std::u16string first = std::get<std::u16string>(pages.page(0));
        std::u16string rest;
        for (size_t k = pages.pageCount(); k-- > 1;)
            rest.insert(0, std::get<std::u16string>(pages.page(k)));
        return first + rest;
    }

    fs::path m_dir;
    CodePage m_codePage;
};

TEST_F(HistoryPagesTest, ShowEveryKindOfLineBreakAsOneWhateverThePageSize) {
    const std::string bytes = "\n" + m_codePage.encodeText(u"学习者:李") + "\r\n" +
                              m_codePage.encodeText(u"练习字数:128") + "\r\rend\n\r";
    const std::u16string shown = u"\n学习者:李\n练习字数:128\n\nend\n\n";
    for (size_t pageBytes = 1; pageBytes <= bytes.size() + 1; ++pageBytes) {
        SCOPED_TRACE(pageBytes);
        EXPECT_EQ(allPages(bytes, pageBytes), shown);
    }
}

// Pages are cut after line breaks, else after a byte no double-byte character
// ends with: here a digit in runs of kanji longer than the search for a line
// break (where long lines are cut differs, the characters do not).
TEST_F(HistoryPagesTest, KeepADoubleByteCharacterCutByThePageEndWhole) {
    std::u16string run;
    for (int i = 0; run.size() < 3 * HistoryPages::kSeamSearch; ++i)
        run += i % 700 == 699 ? u'7' : u'学';
    const std::u16string text = u"a学b" + run + u"\n" + run;
    const std::string bytes = m_codePage.encodeText(text);
    for (size_t pageBytes : {1, 2, 3, 1000, 4097, 9999}) {
        SCOPED_TRACE(pageBytes);
        EXPECT_EQ(withoutBreaks(allPages(bytes, pageBytes)), withoutBreaks(text));
    }
    EXPECT_EQ(allPages("ok\x80\xFF"
                       "\x81",
                       2),
              u"ok\uFFFD\uFFFD\uFFFD");
}

TEST_F(HistoryPagesTest, CutALongLineIntoLinesOfAtMostTheLongestLength) {
    constexpr size_t kLongest = HistoryPages::kLongestLine;
    const std::string bytes =
        std::string(kLongest * 2 + 5, 'x') + "\r\n" + std::string(kLongest, 'y');
    const std::u16string expected = std::u16string(kLongest, u'x') + u"\n" +
                                    std::u16string(kLongest, u'x') + u"\n" + u"xxxxx\n" +
                                    std::u16string(kLongest, u'y');
    EXPECT_EQ(allPages(bytes, 777), expected);
    EXPECT_EQ(allPages(bytes, 1 << 20), expected);
}
