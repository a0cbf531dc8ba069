#include "explain/spellings.h"

#include "readings/kana.h"

namespace {

// Words are short; the search over readings is not for whole sentences.
constexpr size_t kLongestWord = 12;

// A reading's last kana as it sounds before a doubled consonant.
bool becomesSokuon(char16_t c) {
    return c == u'く' || c == u'つ' || c == u'ち' || c == u'き';
}

// か-row to た-row and は-row: the voiced kana follows its plain one.
bool takesVoicing(char16_t c) {
    return (c >= u'か' && c <= u'ち' && (c - u'か') % 2 == 0) ||
           (c >= u'つ' && c <= u'と' && (c - u'つ') % 2 == 0) ||
           (c >= u'は' && c <= u'ほ' && (c - u'は') % 3 == 0);
}

// The reading as it sounds inside a word: its first kana voiced (本棚 ほんだな)
// or its last one doubling the next consonant (学校 がっこう).
enum class Sound { AsListed, Voiced, Doubled };

std::u16string sounded(const std::u16string& reading, Sound sound) {
    std::u16string out = reading;
    if (sound == Sound::Voiced)
        out[0] = static_cast<char16_t>(out[0] + 1);
    if (sound == Sound::Doubled)
        out.back() = u'っ';
    return out;
}

bool applies(const std::u16string& reading, Sound sound, bool wordStart) {
    switch (sound) {
    case Sound::AsListed:
        return true;
    case Sound::Voiced:
        return !wordStart && takesVoicing(reading[0]);
    case Sound::Doubled:
        return reading.size() > 1 && becomesSokuon(reading.back());
    }
    return false;
}

bool readsFrom(const KanjiSources& kanji, std::u16string_view written, std::u16string_view reading,
               bool wordStart) {
    if (written.empty())
        return reading.empty();
    const char16_t c = written[0];
    if (!takesReading(c))
        return !reading.empty() && toHiragana(std::u16string_view(&c, 1))[0] == reading[0] &&
               readsFrom(kanji, written.substr(1), reading.substr(1), false);
    for (const std::u16string& listed : kanji.readingsOf(c))
        for (const Sound sound : {Sound::AsListed, Sound::Voiced, Sound::Doubled}) {
            if (!applies(listed, sound, wordStart))
                continue;
            const std::u16string r = sounded(listed, sound);
            if (reading.starts_with(r) &&
                readsFrom(kanji, written.substr(1), reading.substr(r.size()), false))
                return true;
        }
    return false;
}

} // namespace

bool readsAs(const KanjiSources& kanji, std::u16string_view written, std::u16string_view reading) {
    return !reading.empty() && written.size() <= kLongestWord &&
           readsFrom(kanji, written, reading, true);
}
