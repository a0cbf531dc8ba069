#pragma once

#include "explain/kanji_sources.h"
#include "core/mistake_kind.h"
#include "readings/analyser.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One wrong word: what the lesson has there and what the learner committed.
struct WordMistake {
    std::u16string expected;
    std::u16string typed;
    // The reading of the lesson's word in hiragana (with the lesson's own
    // corrections); empty: ask the analyser.
    std::u16string expectedReading;
    // The kana the learner typed before the input method converted them.
    std::optional<std::u16string> preedit;
};

// The longest word or kana typed that is told apart (in UTF-16 units); a
// longer one is of no kind in particular (其他), and is not compared
// character by character, whose cost grows faster than its length.
inline constexpr size_t kLongestClassified = 100;

// Tells the kind of a wrong word from its characters, their readings and the
// kana the learner typed. Kinds whose source is missing are never given:
// the classifier says which it cannot tell.
class Classifier {
  public:
    Classifier(KanjiSources& kanji, Analyser& analyser) : m_kanji(kanji), m_analyser(analyser) {}

    Explanation classify(const WordMistake& mistake);
    // The kinds this system lacks the data for, by name; empty when all are known.
    std::vector<std::string> kindsItCannotTell();

  private:
    std::optional<std::u16string> readingOf(std::u16string_view text);
    bool isChineseForm(std::u16string_view expected, std::u16string_view typed);
    bool kanjiReadAlike(std::u16string_view expected, std::u16string_view typed) const;
    Explanation ofKana(const WordMistake& mistake, const std::optional<std::u16string>& reading);
    Explanation ofKanji(const WordMistake& mistake, const std::optional<std::u16string>& reading);

    KanjiSources& m_kanji;
    Analyser& m_analyser;
};
