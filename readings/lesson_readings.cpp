#include "readings/lesson_readings.h"

#include "readings/kana.h"
#include "readings/reading_placement.h"

#include <algorithm>

namespace {

bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

bool allKana(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char16_t c) { return isHiragana(c) || isKatakana(c) || c == u'ー'; });
}

// The analyser's words, line by line, at lesson positions.
std::vector<ReadWord> analysedWords(std::u16string_view text, Analyser& analyser) {
    std::vector<ReadWord> words;
    for (std::size_t lineStart = 0; lineStart < text.size();) {
        std::size_t lineEnd = lineStart;
        while (lineEnd < text.size() && !isLineBreak(text[lineEnd]))
            ++lineEnd;
        const std::u16string_view line = text.substr(lineStart, lineEnd - lineStart);
        for (AnalysedWord& word : analyser.analyse(line)) {
            const std::u16string_view surface = line.substr(word.start, word.length);
            if (word.reading.empty() && allKana(surface))
                word.reading = surface;
            // Punctuation and symbols come back "read" as themselves.
            const bool afterLast =
                words.empty() || words.back().start + words.back().length <= lineStart + word.start;
            if (!word.reading.empty() && allKana(word.reading) && afterLast)
                words.push_back({lineStart + word.start, word.length, toHiragana(word.reading)});
        }
        lineStart = lineEnd + 1;
    }
    return words;
}

bool overlaps(const ReadWord& a, std::size_t start, std::size_t end) {
    return start < a.start + a.length && a.start < end;
}

// A corrected word written inside a longer word of the analyser (日本 in
// 日本語) is part of that word, not an occurrence of its own.
bool insideLongerWord(std::size_t start, std::size_t end, const std::vector<ReadWord>& words) {
    return std::any_of(words.begin(), words.end(), [&](const ReadWord& w) {
        return w.start <= start && end <= w.start + w.length && w.length > end - start;
    });
}

// Every occurrence of the corrected words, longer words first, none overlapping.
std::vector<ReadWord> correctedWords(std::u16string_view text, std::vector<Correction> corrections,
                                     const std::vector<ReadWord>& analysed) {
    std::stable_sort(
        corrections.begin(), corrections.end(),
        [](const Correction& a, const Correction& b) { return a.word.size() > b.word.size(); });
    std::vector<ReadWord> words;
    auto taken = [&words](std::size_t start, std::size_t end) {
        return std::any_of(words.begin(), words.end(),
                           [&](const ReadWord& w) { return overlaps(w, start, end); });
    };
    for (const Correction& correction : corrections) {
        for (auto at = text.find(correction.word); at != std::u16string_view::npos;
             at = text.find(correction.word, at + 1)) {
            const std::size_t end = at + correction.word.size();
            if (!taken(at, end) && !insideLongerWord(at, end, analysed))
                words.push_back({at, correction.word.size(), correction.reading});
        }
    }
    return words;
}

bool overlapsAny(const ReadWord& word, const std::vector<ReadWord>& others) {
    return std::any_of(others.begin(), others.end(), [&word](const ReadWord& other) {
        return overlaps(other, word.start, word.start + word.length);
    });
}

} // namespace

const ReadWord* LessonReadings::wordAt(std::size_t position) const {
    auto after =
        std::upper_bound(words.begin(), words.end(), position,
                         [](std::size_t p, const ReadWord& word) { return p < word.start; });
    if (after == words.begin())
        return nullptr;
    const ReadWord& word = *std::prev(after);
    return position < word.start + word.length ? &word : nullptr;
}

LessonReadings readLesson(std::u16string_view text, Analyser& analyser,
                          const std::vector<Correction>& corrections) {
    LessonReadings readings;
    std::vector<ReadWord> analysed = analysedWords(text, analyser);
    readings.words = correctedWords(text, corrections, analysed);
    const std::vector<ReadWord> corrected = readings.words;
    for (ReadWord& word : analysed) {
        if (!overlapsAny(word, corrected))
            readings.words.push_back(std::move(word));
    }
    std::sort(readings.words.begin(), readings.words.end(),
              [](const ReadWord& a, const ReadWord& b) { return a.start < b.start; });
    for (const ReadWord& word : readings.words) {
        const auto placed =
            placeReading(text.substr(word.start, word.length), word.reading, word.start);
        readings.rubies.insert(readings.rubies.end(), placed.begin(), placed.end());
    }
    return readings;
}
