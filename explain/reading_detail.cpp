#include "explain/reading_detail.h"

#include "readings/kana.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {

constexpr const char* kSokuon = "促音";
constexpr const char* kLongVowel = "长音";
constexpr const char* kYouon = "拗音";
constexpr const char* kVoicing = "浊音/半浊音";
constexpr const char* kLookAlike = "形近";

// Kana a hurried eye takes for one another.
constexpr std::array<std::pair<char16_t, char16_t>, 22> kLookAlikes{{
    {u'シ', u'ツ'}, {u'ソ', u'ン'}, {u'シ', u'ミ'}, {u'ク', u'ケ'}, {u'ウ', u'ワ'}, {u'ス', u'ヌ'},
    {u'チ', u'テ'}, {u'ル', u'レ'}, {u'コ', u'ユ'}, {u'ナ', u'メ'}, {u'ぬ', u'め'}, {u'わ', u'ね'},
    {u'ね', u'れ'}, {u'わ', u'れ'}, {u'る', u'ろ'}, {u'は', u'ほ'}, {u'さ', u'ち'}, {u'き', u'さ'},
    {u'あ', u'お'}, {u'い', u'り'}, {u'こ', u'に'}, {u'う', u'ら'},
}};

// ゃ -> や, っ -> つ: small kana lie one below their large ones.
char16_t enlarged(char16_t c) {
    const char16_t h = toHiragana(std::u16string_view(&c, 1))[0];
    switch (h) {
    case u'ぁ':
    case u'ぃ':
    case u'ぅ':
    case u'ぇ':
    case u'ぉ':
    case u'っ':
    case u'ゃ':
    case u'ゅ':
    case u'ょ':
    case u'ゎ':
        return static_cast<char16_t>(h + 1);
    default:
        return h;
    }
}

bool isSmallYa(char16_t c) {
    const char16_t h = toHiragana(std::u16string_view(&c, 1))[0];
    return h == u'ゃ' || h == u'ゅ' || h == u'ょ';
}

// The kana without its ゛ or ゜: か for が, は for ぱ. Voiced kana follow their
// plain one (ば = は + 1, ぱ = は + 2), except ゔ.
char16_t unvoiced(char16_t c) {
    const char16_t h = toHiragana(std::u16string_view(&c, 1))[0];
    if (h >= u'が' && h <= u'ぢ' && (h - u'か') % 2 == 1)
        return static_cast<char16_t>(h - 1);
    if (h >= u'づ' && h <= u'ど' && (h - u'つ') % 2 == 1)
        return static_cast<char16_t>(h - 1);
    if (h >= u'ば' && h <= u'ぽ')
        return static_cast<char16_t>(h - (h - u'は') % 3);
    if (h == u'ゔ')
        return u'う';
    return h;
}

bool lookAlike(char16_t a, char16_t b) {
    return std::any_of(kLookAlikes.begin(), kLookAlikes.end(), [&](const auto& pair) {
        return (pair.first == a && pair.second == b) || (pair.first == b && pair.second == a);
    });
}

std::string substitutionDetail(char16_t expected, char16_t typed) {
    if (lookAlike(expected, typed))
        return kLookAlike;
    if (enlarged(expected) == enlarged(typed))
        return enlarged(expected) == u'つ' ? kSokuon : kYouon;
    if (unvoiced(expected) == unvoiced(typed))
        return kVoicing;
    return {};
}

bool isLongVowel(char16_t c) {
    const char16_t h = toHiragana(std::u16string_view(&c, 1))[0];
    return h == u'ー' || h == u'あ' || h == u'い' || h == u'う' || h == u'え' || h == u'お';
}

// The kana one text has and the other has not, after the same beginning and end.
std::string insertionDetail(std::u16string_view extra) {
    if (std::all_of(extra.begin(), extra.end(),
                    [](char16_t c) { return enlarged(c) == u'つ' && c != u'つ' && c != u'ツ'; }))
        return kSokuon;
    if (std::all_of(extra.begin(), extra.end(), isLongVowel))
        return kLongVowel;
    if (std::all_of(extra.begin(), extra.end(), isSmallYa))
        return kYouon;
    return {};
}

// The characters of `longer` left over when `shorter` is read out of it in
// order; nothing when `shorter` is not in it that way.
std::optional<std::u16string> leftOver(std::u16string_view longer, std::u16string_view shorter) {
    std::u16string rest;
    size_t at = 0;
    for (const char16_t c : longer) {
        if (at < shorter.size() && shorter[at] == c)
            ++at;
        else
            rest += c;
    }
    if (at < shorter.size())
        return std::nullopt;
    return rest;
}

} // namespace

std::string readingDetail(std::u16string_view expected, std::u16string_view typed) {
    if (expected.size() == typed.size()) {
        // The first difference tells; a second one seldom has another cause.
        for (size_t i = 0; i < expected.size(); ++i)
            if (expected[i] != typed[i])
                return substitutionDetail(expected[i], typed[i]);
        return {};
    }
    const bool shorter = typed.size() < expected.size();
    if (const auto extra = shorter ? leftOver(expected, typed) : leftOver(typed, expected))
        return insertionDetail(*extra);
    return {};
}
