#include "explain/kanjidic.h"

#include "core/utf8.h"
#include "readings/kana.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

// EUC-JP to UTF-8; a byte that starts no character becomes U+FFFD.
std::string decodeEucJp(std::string_view bytes) {
    const iconv_t cd = iconv_open("UTF-8", "EUC-JP");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string out(bytes.size() * 3 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* at = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &at, &outLeft) == static_cast<size_t>(-1)) {
        if (errno == E2BIG || outLeft < 3)
            break;
        ++in; // an invalid or truncated sequence
        --inLeft;
        at = std::copy_n("\xEF\xBF\xBD", 3, at);
        outLeft -= 3;
    }
    iconv_close(cd);
    out.resize(static_cast<size_t>(at - out.data()));
    return out;
}

bool isKana(char16_t c) {
    return isHiragana(c) || isKatakana(c) || c == u'ー';
}

void addReading(std::vector<std::u16string>& readings, std::u16string reading) {
    if (!reading.empty() && std::find(readings.begin(), readings.end(), reading) == readings.end())
        readings.push_back(std::move(reading));
}

// One reading field: ジ, も.つ, -も.ち, つ.ぐ-.
void addField(std::vector<std::u16string>& readings, std::u16string_view field) {
    std::u16string whole;
    std::u16string stem;
    bool inOkurigana = false;
    for (const char16_t c : field) {
        if (c == u'.') {
            inOkurigana = true;
        } else if (isKana(c)) {
            whole += c;
            if (!inOkurigana)
                stem += c;
        } else if (c != u'-') {
            return;
        }
    }
    addReading(readings, toHiragana(whole));
    addReading(readings, toHiragana(stem));
}

void parseLine(std::u16string_view line, KanjiReadings& kanji) {
    if (line.size() < 3 || line[1] != u' ' || !takesReading(line[0]))
        return;
    std::vector<std::u16string> readings;
    for (size_t at = 2; at < line.size();) {
        const size_t end = std::min(line.find(u' ', at), line.size());
        const std::u16string_view field = line.substr(at, end - at);
        if (field == u"T1" || field == u"T2" || (!field.empty() && field[0] == u'{'))
            break;
        if (!field.empty() && (isKana(field[0]) || field[0] == u'-'))
            addField(readings, field);
        at = end + 1;
    }
    if (!readings.empty())
        kanji[line[0]] = std::move(readings);
}

} // namespace

KanjiReadings parseKanjidic(std::string_view eucJp) {
    KanjiReadings kanji;
    const std::string text = decodeEucJp(eucJp);
    for (size_t at = 0; at < text.size();) {
        const size_t end = std::min(text.find('\n', at), text.size());
        if (const auto line = fromUtf8(std::string_view(text).substr(at, end - at)))
            parseLine(*line, kanji);
        at = end + 1;
    }
    return kanji;
}
