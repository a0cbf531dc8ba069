#include "explain/commit_mistakes.h"

#include "readings/kana.h"

#include <algorithm>
#include <tuple>

namespace {

// The lesson words a slip may cover: the one it starts in and a few after it,
// enough for 離散 over 李さん or 白磁 over は九時.
constexpr std::size_t kWordsCovered = 4;

bool isKana(char16_t c) {
    return isHiragana(c) || isKatakana(c) || c == u'ー';
}

bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

Slip startingAt(std::size_t position, Slip slip) {
    slip.start = position;
    return slip;
}

std::size_t commonPrefix(std::u16string_view a, std::u16string_view b) {
    const auto [end, _] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(end - a.begin());
}

} // namespace

void CommitMistakes::lessonLoaded(std::u16string text, LessonReadings readings) {
    m_lesson = std::move(text);
    m_readings = std::move(readings);
    m_commit.reset();
    m_slips.clear();
    m_noted.clear();
}

void CommitMistakes::committed(std::u16string text, std::optional<std::u16string> preedit) {
    m_commit = Commit{std::nullopt, std::move(text), std::move(preedit)};
}

void CommitMistakes::evaluated(std::size_t position) {
    if (m_commit && !m_commit->start)
        m_commit->start = position;
}

void CommitMistakes::takenBack(std::size_t position) {
    while (!m_slips.empty() && m_slips.back().start >= position)
        m_slips.pop_back();
    m_noted.erase(m_noted.lower_bound(position), m_noted.end());
    if (m_commit && m_commit->start && *m_commit->start >= position)
        m_commit.reset();
}

bool CommitMistakes::inCommit(std::size_t position) const {
    return m_commit && m_commit->start && position >= *m_commit->start &&
           position < *m_commit->start + m_commit->text.size();
}

NotedMistake CommitMistakes::note(std::size_t position, char16_t typed) {
    evaluated(position);
    if (const auto found = m_noted.find(position); found != m_noted.end())
        return found->second;
    NotedMistake noted;
    if (isShifted(position, typed)) {
        noted = {slip()->explanation, true, std::nullopt};
    } else {
        const Slip& slip = slipAt(position, typed);
        noted = {slip.explanation, false, slip.preedit};
    }
    m_noted[position] = noted;
    return noted;
}

// The rest of the slip's own word, and what stands moved by its length.
bool CommitMistakes::isShifted(std::size_t position, char16_t typed) const {
    const Slip* last = slip();
    if (!last || position <= last->start)
        return false;
    if (position < last->typedEnd)
        return true;
    const auto source = static_cast<std::ptrdiff_t>(position) - last->shift;
    return last->shift != 0 && source >= 0 && static_cast<std::size_t>(source) < m_lesson.size() &&
           m_lesson[static_cast<std::size_t>(source)] == typed;
}

const Slip& CommitMistakes::slipAt(std::size_t position, char16_t typed) {
    if (inCommit(position))
        m_slips.push_back(explainFrom(position, *m_commit));
    else // a key typed without the input method is a commit of its own
        m_slips.push_back(
            explainFrom(position, {position, std::u16string(1, typed), std::nullopt}));
    return m_slips.back();
}

// The lesson word at `position` with the words after it on the same line; a
// character without a word is a word of its own.
CommitMistakes::Span CommitMistakes::spanAt(std::size_t position) const {
    if (const ReadWord* word = m_readings.wordAt(position); word && word->start == position)
        return {position, position + word->length, word->reading};
    const char16_t c = m_lesson[position];
    return {position, position + 1,
            isKana(c) ? toHiragana(std::u16string_view(&c, 1)) : std::u16string()};
}

std::vector<CommitMistakes::Span> CommitMistakes::wordsFrom(std::size_t position,
                                                            std::size_t commitStart) const {
    std::vector<Span> spans;
    if (const ReadWord* word = m_readings.wordAt(position)) {
        // A commit that begins inside a word covers only its end, of unknown reading.
        if (word->start >= commitStart)
            spans.push_back({word->start, word->start + word->length, word->reading});
        else
            spans.push_back({commitStart, word->start + word->length, {}});
    } else {
        spans.push_back(spanAt(position));
    }
    while (spans.size() < kWordsCovered && spans.back().end < m_lesson.size() &&
           !isLineBreak(m_lesson[spans.back().end]))
        spans.push_back(spanAt(spans.back().end));
    return spans;
}

// The reading of lesson characters that were typed right, from the words
// they make up; nothing when a word is cut.
std::optional<std::u16string> CommitMistakes::readingOf(std::size_t start, std::size_t end) const {
    std::u16string reading;
    for (std::size_t p = start; p < end;) {
        const Span span = spanAt(p);
        if (span.reading.empty() || span.end > end)
            return std::nullopt;
        reading += span.reading;
        p = span.end;
    }
    return reading;
}

// The part of the commit's preedit that spelled the wrong word: the kana of
// what the commit holds before and after the word taken off.
std::optional<std::u16string> CommitMistakes::preeditOf(const Commit& commit, std::size_t wordStart,
                                                        std::u16string_view after,
                                                        std::size_t wordEnd) const {
    if (!commit.preedit)
        return std::nullopt;
    const std::u16string preedit = toHiragana(*commit.preedit);
    const auto before = readingOf(*commit.start, wordStart);
    std::optional<std::u16string> following;
    if (std::u16string_view(m_lesson).substr(wordEnd, after.size()) == after)
        following = readingOf(wordEnd, wordEnd + after.size());
    else if (std::all_of(after.begin(), after.end(), isKana))
        following = toHiragana(after);
    if (!before || !following || preedit.size() < before->size() + following->size() ||
        !preedit.starts_with(*before) || !preedit.ends_with(*following))
        return std::nullopt;
    return preedit.substr(before->size(), preedit.size() - before->size() - following->size());
}

Slip CommitMistakes::explainWord(std::size_t wordStart, std::size_t wordEnd,
                                 std::u16string_view committed, std::size_t typedLength,
                                 const Commit& commit) {
    Slip slip;
    slip.expected = m_lesson.substr(wordStart, wordEnd - wordStart);
    slip.wordStart = wordStart;
    slip.reading = readingOf(wordStart, wordEnd).value_or(u"");
    const std::u16string_view typed = committed.substr(0, typedLength);
    slip.preedit = preeditOf(commit, wordStart, committed.substr(typedLength), wordEnd);
    slip.explanation =
        m_classifier.classify({slip.expected, std::u16string(typed), slip.reading, slip.preedit});
    slip.shift =
        static_cast<std::ptrdiff_t>(typedLength) - static_cast<std::ptrdiff_t>(wordEnd - wordStart);
    // A commit that ran longer is shown whole: こんばんは for 今晩.
    slip.typed = std::u16string(slip.shift > 0 ? committed : typed);
    slip.typedEnd = wordStart + typedLength;
    return slip;
}

// The slip's word is the lesson span, and the commit's part, after which the
// rest of the commit lines up with the lesson again for longest; when nothing
// lines up, the whole rest of the commit against the span it explains best.
Slip CommitMistakes::explainFrom(std::size_t position, const Commit& commit) {
    const std::vector<Span> words = wordsFrom(position, *commit.start);
    const std::size_t wordStart = words.front().start;
    const std::u16string_view committed =
        std::u16string_view(commit.text).substr(wordStart - *commit.start);
    std::size_t bestScore = 0, bestEnd = 0, bestLength = 0;
    for (const Span& last : words)
        for (std::size_t length = 1; length < committed.size(); ++length) {
            const std::size_t score = commonPrefix(committed.substr(length),
                                                   std::u16string_view(m_lesson).substr(last.end));
            if (score > bestScore)
                std::tie(bestScore, bestEnd, bestLength) = std::tuple(score, last.end, length);
        }
    if (bestScore > 0)
        return startingAt(position, explainWord(wordStart, bestEnd, committed, bestLength, commit));
    std::optional<Slip> fallback;
    for (const Span& last : words) {
        Slip slip = explainWord(wordStart, last.end, committed, committed.size(), commit);
        if (slip.explanation.kind != MistakeKind::Other)
            return startingAt(position, std::move(slip));
        if (!fallback)
            fallback = std::move(slip);
    }
    return startingAt(position, std::move(*fallback));
}
