#include "explain/classifier.h"

#include "explain/reading_detail.h"
#include "explain/spellings.h"
#include "readings/kana.h"

#include <algorithm>

namespace {

bool isKana(char16_t c) {
    return isHiragana(c) || isKatakana(c) || c == u'ー';
}

bool allKana(std::u16string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isKana);
}

// Two spellings of one word: where they differ, one of them writes kana
// (子ども, 子供; 隣, 隣り). 機会 and 機械 differ in a kanji: two words.
bool spellingsOfOneWord(std::u16string_view a, std::u16string_view b) {
    while (!a.empty() && !b.empty() && a.front() == b.front()) {
        a.remove_prefix(1);
        b.remove_prefix(1);
    }
    while (!a.empty() && !b.empty() && a.back() == b.back()) {
        a.remove_suffix(1);
        b.remove_suffix(1);
    }
    return a.empty() || b.empty() || allKana(a) || allKana(b);
}

// One kana more, less or other than the reading.
bool oneKanaApart(std::u16string_view a, std::u16string_view b) {
    if (a.size() < b.size())
        std::swap(a, b);
    if (a.size() - b.size() > 1)
        return false;
    size_t head = 0;
    while (head < b.size() && a[head] == b[head])
        ++head;
    if (head == a.size())
        return true;
    const size_t restOfB = a.size() == b.size() ? head + 1 : head;
    return a.substr(head + 1) == b.substr(restOfB);
}

// こんばん for 今晩は: the reading of the kanji, the kana after them not yet typed.
bool stopsBeforeTrailingKana(std::u16string_view expected, std::u16string_view reading,
                             std::u16string_view typed) {
    if (!reading.starts_with(typed))
        return false;
    const std::u16string_view missing = reading.substr(typed.size());
    return expected.size() > missing.size() &&
           toHiragana(expected.substr(expected.size() - missing.size())) == missing &&
           std::all_of(expected.end() - static_cast<std::ptrdiff_t>(missing.size()), expected.end(),
                       isKana);
}

// Kana that differ in a way with a name, or in a single kana, are a wrong
// reading; kana further apart are some other slip.
Explanation wrongReading(std::u16string_view expected, std::u16string_view typed) {
    std::string detail = readingDetail(expected, typed);
    if (detail.empty() && !oneKanaApart(toHiragana(expected), toHiragana(typed)))
        return {MistakeKind::Other, {}};
    return {MistakeKind::WrongReading, std::move(detail)};
}

} // namespace

std::optional<std::u16string> Classifier::readingOf(std::u16string_view text) {
    if (allKana(text))
        return toHiragana(text);
    if (!m_analyser.available())
        return std::nullopt;
    std::u16string reading;
    for (const AnalysedWord& word : m_analyser.analyse(text)) {
        const std::u16string_view surface = text.substr(word.start, word.length);
        if (!word.reading.empty())
            reading += toHiragana(word.reading);
        else if (allKana(surface))
            reading += toHiragana(surface);
        else
            return std::nullopt;
    }
    return reading;
}

// A character Japanese never writes, or a Chinese form of the lesson's kanji.
bool Classifier::isChineseForm(std::u16string_view expected, std::u16string_view typed) {
    for (const char16_t t : typed) {
        if (!takesReading(t) || expected.find(t) != expected.npos)
            continue;
        if (!m_kanji.usedInJapanese(t))
            return true;
        for (const char16_t e : expected)
            if (takesReading(e) && m_kanji.chineseFormsOf(e).find(t) != std::u16string::npos)
                return true;
    }
    return false;
}

// Kanji of the same length that differ only where both could be read alike.
bool Classifier::kanjiReadAlike(std::u16string_view expected, std::u16string_view typed) const {
    if (expected.size() != typed.size())
        return false;
    for (size_t i = 0; i < expected.size(); ++i)
        if (expected[i] != typed[i] && !m_kanji.shareAReading(expected[i], typed[i]))
            return false;
    return true;
}

Explanation Classifier::classify(const WordMistake& mistake) {
    if (mistake.expected.size() > kLongestClassified || mistake.typed.size() > kLongestClassified ||
        mistake.preedit.value_or(u"").size() > kLongestClassified)
        return {MistakeKind::Other, {}};
    m_kanji.load();
    if (isChineseForm(mistake.expected, mistake.typed))
        return {MistakeKind::ChineseForm, {}};
    const std::optional<std::u16string> reading = mistake.expectedReading.empty()
                                                      ? readingOf(mistake.expected)
                                                      : std::optional(mistake.expectedReading);
    if (allKana(mistake.typed))
        return ofKana(mistake, reading);
    if (std::any_of(mistake.typed.begin(), mistake.typed.end(), takesReading))
        return ofKanji(mistake, reading);
    return {MistakeKind::Other, {}};
}

// Kana committed: the lesson's kanji left unconverted, or kana gone wrong.
Explanation Classifier::ofKana(const WordMistake& mistake,
                               const std::optional<std::u16string>& reading) {
    const std::u16string typed = toHiragana(mistake.typed);
    if (allKana(mistake.expected)) {
        if (toHiragana(mistake.expected) == typed)
            return {MistakeKind::Other, {}}; // katakana for hiragana or the other way round
        return wrongReading(mistake.expected, mistake.typed);
    }
    if (!reading)
        return {MistakeKind::Other, {}};
    if (typed == *reading || stopsBeforeTrailingKana(mistake.expected, *reading, typed))
        return {MistakeKind::WrittenInKana, {}};
    // Kana a named step away from the reading are a slip of the reading; kana
    // further away may be another reading of the kanji (何: なに, なん).
    if (readingDetail(*reading, typed).empty() && readsAs(m_kanji, mistake.expected, typed))
        return {MistakeKind::WrittenInKana, {}};
    return wrongReading(*reading, typed);
}

// Kanji committed: another spelling of the word, another word of the same
// reading, or the kanji of a reading the learner typed wrong.
Explanation Classifier::ofKanji(const WordMistake& mistake,
                                const std::optional<std::u16string>& reading) {
    const bool lessonInKana = allKana(mistake.expected);
    const std::optional<std::u16string> preedit =
        mistake.preedit ? std::optional(toHiragana(*mistake.preedit)) : std::nullopt;
    const std::optional<std::u16string> typedReading = readingOf(mistake.typed);
    const bool preeditRight =
        preedit && reading &&
        (*preedit == *reading || readsAs(m_kanji, mistake.expected, *preedit));
    if (preedit && reading && !preeditRight && allKana(*preedit) && typedReading != reading)
        return wrongReading(*reading, *preedit);
    const bool sameReading = preeditRight || (reading && typedReading == reading) ||
                             (reading && readsAs(m_kanji, mistake.typed, *reading)) ||
                             (!lessonInKana && kanjiReadAlike(mistake.expected, mistake.typed));
    if (!sameReading)
        return {MistakeKind::Other, {}};
    if (lessonInKana || spellingsOfOneWord(mistake.expected, mistake.typed))
        return {MistakeKind::WrittenInKanji, {}};
    return {MistakeKind::WrongKanji, {}};
}

std::vector<std::string> Classifier::kindsItCannotTell() {
    m_kanji.load();
    std::vector<std::string> kinds;
    if (!m_kanji.knowsChineseForms() || !m_kanji.knowsJapaneseCharacters())
        kinds.push_back(kindName(MistakeKind::ChineseForm));
    if (!m_analyser.available()) {
        kinds.push_back(kindName(MistakeKind::WrittenInKana));
        kinds.push_back(kindName(MistakeKind::WrittenInKanji));
    }
    if (!m_kanji.knowsReadings())
        kinds.push_back(kindName(MistakeKind::WrongKanji));
    return kinds;
}
