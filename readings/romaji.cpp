#include "readings/romaji.h"

#include "core/utf8.h"
#include "readings/kana.h"

#include <array>
#include <unordered_map>

namespace {

// Two-kana sounds: a kana followed by a small ゃ, ゅ, ょ or vowel.
const std::unordered_map<std::u16string_view, std::string_view>& pairs() {
    static const std::unordered_map<std::u16string_view, std::string_view> table{
        {u"きゃ", "kya"}, {u"きゅ", "kyu"}, {u"きょ", "kyo"}, {u"しゃ", "sha"}, {u"しゅ", "shu"},
        {u"しょ", "sho"}, {u"ちゃ", "cha"}, {u"ちゅ", "chu"}, {u"ちょ", "cho"}, {u"にゃ", "nya"},
        {u"にゅ", "nyu"}, {u"にょ", "nyo"}, {u"ひゃ", "hya"}, {u"ひゅ", "hyu"}, {u"ひょ", "hyo"},
        {u"みゃ", "mya"}, {u"みゅ", "myu"}, {u"みょ", "myo"}, {u"りゃ", "rya"}, {u"りゅ", "ryu"},
        {u"りょ", "ryo"}, {u"ぎゃ", "gya"}, {u"ぎゅ", "gyu"}, {u"ぎょ", "gyo"}, {u"じゃ", "ja"},
        {u"じゅ", "ju"},  {u"じょ", "jo"},  {u"ぢゃ", "dya"}, {u"ぢゅ", "dyu"}, {u"ぢょ", "dyo"},
        {u"びゃ", "bya"}, {u"びゅ", "byu"}, {u"びょ", "byo"}, {u"ぴゃ", "pya"}, {u"ぴゅ", "pyu"},
        {u"ぴょ", "pyo"}, {u"しぇ", "she"}, {u"じぇ", "je"},  {u"ちぇ", "che"}, {u"てぃ", "thi"},
        {u"でぃ", "dhi"}, {u"でゅ", "dhu"}, {u"とぅ", "twu"}, {u"ふぁ", "fa"},  {u"ふぃ", "fi"},
        {u"ふぇ", "fe"},  {u"ふぉ", "fo"},  {u"うぃ", "wi"},  {u"うぇ", "we"},  {u"うぉ", "who"},
        {u"ゔぁ", "va"},  {u"ゔぃ", "vi"},  {u"ゔぇ", "ve"},  {u"ゔぉ", "vo"},  {u"つぁ", "tsa"},
    };
    return table;
}

// One kana, ぁ (U+3041) to ゖ (U+3096), in the order of the Unicode block.
constexpr std::array<std::string_view, 86> kSingles{
    "xa", "a",   "xi", "i",   "xu", "u",   "xe",  "e",  "xo",  "o",   "ka", "ga", "ki",
    "gi", "ku",  "gu", "ke",  "ge", "ko",  "go",  "sa", "za",  "shi", "ji", "su", "zu",
    "se", "ze",  "so", "zo",  "ta", "da",  "chi", "di", "xtu", "tsu", "du", "te", "de",
    "to", "do",  "na", "ni",  "nu", "ne",  "no",  "ha", "ba",  "pa",  "hi", "bi", "pi",
    "fu", "bu",  "pu", "he",  "be", "pe",  "ho",  "bo", "po",  "ma",  "mi", "mu", "me",
    "mo", "xya", "ya", "xyu", "yu", "xyo", "yo",  "ra", "ri",  "ru",  "re", "ro", "xwa",
    "wa", "wi",  "we", "wo",  "n",  "vu",  "xka", "xke"};

constexpr char16_t kSmallTsu = u'っ';
constexpr char16_t kSyllabicN = u'ん';

std::string_view single(char16_t kana) {
    return isHiragana(kana) ? kSingles[kana - u'ぁ'] : std::string_view();
}

// The romaji of the sound that starts at `at`, and how many kana it takes.
std::pair<std::string_view, std::size_t> sound(std::u16string_view kana, std::size_t at) {
    if (at + 1 < kana.size()) {
        const auto pair = pairs().find(kana.substr(at, 2));
        if (pair != pairs().end())
            return {pair->second, 2};
    }
    return {single(kana[at]), 1};
}

bool startsWithVowelYOrN(std::string_view romaji) {
    return !romaji.empty() && std::string_view("aiueoyn").find(romaji[0]) != std::string_view::npos;
}

} // namespace

std::string romaji(std::u16string_view reading) {
    const std::u16string kana = toHiragana(reading);
    std::string out;
    for (std::size_t at = 0; at < kana.size();) {
        const char16_t c = kana[at];
        const auto next = at + 1 < kana.size() ? sound(kana, at + 1).first : std::string_view();
        if (c == kSmallTsu && !next.empty() &&
            std::string_view("aiueon").find(next[0]) == std::string_view::npos) {
            out += next[0];
            ++at;
            continue;
        }
        if (c == kSyllabicN) {
            out += startsWithVowelYOrN(next) ? "nn" : "n";
            ++at;
            continue;
        }
        if (c == u'ー') {
            out += '-';
            ++at;
            continue;
        }
        const auto [spelling, length] = sound(kana, at);
        out += spelling.empty() ? toUtf8(kana.substr(at, 1)) : std::string(spelling);
        at += length;
    }
    return out;
}
