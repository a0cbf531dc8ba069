#pragma once

#include "explain/classifier.h"
#include "readings/lesson_readings.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One wrong word of a commit, as the learner is told it.
struct Slip {
    std::size_t start = 0;                 // lesson position of its first wrong character
    std::u16string expected;               // the lesson's word there
    std::u16string reading;                // its reading in hiragana; empty when unknown
    std::u16string typed;                  // what the learner committed for it
    std::optional<std::u16string> preedit; // the kana typed for it, when known
    Explanation explanation;
    std::size_t typedEnd = 0; // lesson position after the committed word
    // How much longer the commit ran than the lesson's word: the characters
    // after it stand that far from the lesson characters they match.
    std::ptrdiff_t shift = 0;
    std::size_t wordStart = 0; // lesson position of `expected`
};

// A wrong character as the journal keeps it.
struct NotedMistake {
    Explanation explanation;
    bool shifted = false; // only moved by an earlier slip
    std::optional<std::u16string> preedit;
};

// Follows one attempt commit by commit and explains its wrong characters:
// the first wrong character of a commit is one slip of the word it falls in;
// the commit's other characters of that word, and every later character that
// only stands moved by the slip's difference in length, are shifted, until
// the slip is taken back.
class CommitMistakes {
  public:
    explicit CommitMistakes(Classifier& classifier) : m_classifier(classifier) {}

    // The lesson text (line breaks CR LF) and the readings of its words.
    void lessonLoaded(std::u16string text, LessonReadings readings);
    // The readings of the lesson's words, once they are known.
    void setReadings(LessonReadings readings) { m_readings = std::move(readings); }
    // The input method committed `text` after showing the kana `preedit`; it
    // stands where the next character is evaluated.
    void committed(std::u16string text, std::optional<std::u16string> preedit);
    // The lesson character at `position` was evaluated against what was typed.
    void evaluated(std::size_t position);
    // The typed text now ends before `position`.
    void takenBack(std::size_t position);

    // The wrong character at `position`, just evaluated.
    NotedMistake note(std::size_t position, char16_t typed);
    // The latest slip not taken back, or null.
    const Slip* slip() const { return m_slips.empty() ? nullptr : &m_slips.back(); }

  private:
    struct Commit {
        std::optional<std::size_t> start; // placed at its first evaluation
        std::u16string text;
        std::optional<std::u16string> preedit;
    };
    struct Span {
        std::size_t start = 0;
        std::size_t end = 0;
        std::u16string reading; // empty when not known
    };

    bool inCommit(std::size_t position) const;
    const Slip& slipAt(std::size_t position, char16_t typed);
    Slip explainFrom(std::size_t position, const Commit& commit);
    Slip explainWord(std::size_t wordStart, std::size_t wordEnd, std::u16string_view committed,
                     std::size_t typedLength, const Commit& commit);
    std::vector<Span> wordsFrom(std::size_t position, std::size_t commitStart) const;
    Span spanAt(std::size_t position) const;
    std::optional<std::u16string> readingOf(std::size_t start, std::size_t end) const;
    std::optional<std::u16string> preeditOf(const Commit& commit, std::size_t wordStart,
                                            std::u16string_view after, std::size_t wordEnd) const;
    bool isShifted(std::size_t position, char16_t typed) const;

    Classifier& m_classifier;
    std::u16string m_lesson;
    LessonReadings m_readings;
    std::optional<Commit> m_commit;
    std::vector<Slip> m_slips; // not taken back, by start
    std::map<std::size_t, NotedMistake> m_noted;
};
