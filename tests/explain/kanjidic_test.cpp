#include "explain/kanjidic.h"

#include <gtest/gtest.h>
#include <iconv.h>

namespace {

std::string eucJp(std::string utf8) {
    const iconv_t cd = iconv_open("EUC-JP", "UTF-8");
    std::string out(utf8.size() * 2, '\0');
    char* in = utf8.data();
    size_t inLeft = utf8.size();
    char* at = out.data();
    size_t outLeft = out.size();
    iconv(cd, &in, &inLeft, &at, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

TEST(Kanjidic, ReadingsComeInHiraganaWithAndWithoutOkuriganaAndNamesLeftOut) {
    const std::string file =
        eucJp("# KANJIDIC comment line\n"
              "持 3B7D U6301 B64 G3 S9 Ychi2 Wji ジ も.つ -も.ち も.てる T1 もち もつ {hold}\n"
              "辞 3C2D U8f9e B135 ジ や.める いな.む {resign}\n"
              "x 0000 not a kanji line\n") +
        "\xB0\n"; // a lead byte with nothing after it
    const KanjiReadings readings = parseKanjidic(file);
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_EQ(readings.at(u'持'),
              (std::vector<std::u16string>{u"じ", u"もつ", u"も", u"もち", u"もてる"}));
    EXPECT_EQ(readings.at(u'辞'),
              (std::vector<std::u16string>{u"じ", u"やめる", u"や", u"いなむ", u"いな"}));
}
