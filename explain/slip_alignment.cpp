#include "explain/slip_alignment.h"

#include "core/common_prefix.h"
#include "readings/kana.h"
#include "readings/romaji.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

namespace {

// How far apart typed and lesson text may run before they are taken to run
// together again, and how many characters make them run together.
constexpr std::size_t kWindow = 48;
constexpr std::size_t kRun = 3;
// How far a run of Latin letters may stand over the lesson.
constexpr std::size_t kLatinWindow = 4096;
constexpr std::size_t kMostWidened = 16;
// The largest stretch parted into single slips by an edit-distance alignment.
constexpr std::size_t kMostCompared = 64 * 64;
constexpr std::size_t kUnbounded = std::numeric_limits<std::size_t>::max();

// Endings that belong to the word before them as its okurigana: 待と + う, 撮っ + て.
constexpr std::array<std::u16string_view, 20> kEndings = {
    u"う",   u"よう",   u"ます", u"まし",   u"ませ", u"ん",     u"た",   u"だ",     u"て", u"で",
    u"ない", u"なかっ", u"たい", u"たかっ", u"れる", u"られる", u"せる", u"させる", u"ば", u"ちゃ"};

bool isLatin(char16_t c) {
    return c > u' ' && c < 0x7F;
}

bool isKana(char16_t c) {
    return isHiragana(c) || isKatakana(c) || c == u'ー';
}

bool splitsLineBreak(std::u16string_view text, std::size_t at) {
    return at > 0 && at < text.size() && text[at - 1] == u'\r' && text[at] == u'\n';
}

bool hasKanji(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), takesReading);
}

} // namespace

std::optional<std::u16string> readingOfStretch(std::u16string_view lesson,
                                               const LessonReadings& readings, std::size_t start,
                                               std::size_t end) {
    std::u16string reading;
    for (std::size_t p = start; p < end;) {
        if (const ReadWord* word = readings.wordAt(p); word && word->start == p) {
            if (p + word->length > end)
                return std::nullopt; // a word cut in two has no reading of its own
            reading += word->reading;
            p += word->length;
        } else if (isKana(lesson[p])) {
            reading += toHiragana(lesson.substr(p, 1));
            ++p;
        } else {
            return std::nullopt;
        }
    }
    return reading;
}

void SlipAligner::lessonLoaded(std::u16string lesson, const LessonReadings* readings) {
    m_lesson = std::move(lesson);
    m_readings = readings;
    m_typed.clear();
    m_inputs.clear();
    restartFrom(0);
}

Alignment SlipAligner::align(std::u16string_view typed, const std::vector<TypedInput>& inputs) {
    const std::size_t changed = commonPrefix(m_typed, typed);
    restartFrom(changed);
    m_typed.replace(changed, std::u16string::npos, typed.substr(changed));
    keepInputs(inputs, changed);
    walk();
    m_alignment.reached = m_i;
    return m_alignment;
}

// Only the inputs from the change on are taken again; those before it are
// the same unless an input was cut short there.
void SlipAligner::keepInputs(const std::vector<TypedInput>& inputs, std::size_t changed) {
    auto kept = static_cast<std::size_t>(
        std::lower_bound(inputs.begin(), inputs.end(), changed,
                         [](const TypedInput& in, std::size_t at) { return in.end < at; }) -
        inputs.begin());
    kept = std::min(kept, m_inputs.size());
    while (kept > 0 && m_inputs[kept - 1] != inputs[kept - 1])
        --kept;
    m_inputs.resize(kept);
    m_inputs.insert(m_inputs.end(), inputs.begin() + static_cast<std::ptrdiff_t>(kept),
                    inputs.end());
}

// Back to the last place whose alignment looked at nothing from `changedAt` on.
void SlipAligner::restartFrom(std::size_t changedAt) {
    while (!m_checkpoints.empty() && m_checkpoints.back().horizon > changedAt)
        m_checkpoints.pop_back();
    const Checkpoint start = m_checkpoints.empty() ? Checkpoint{0, 0, 0, 0} : m_checkpoints.back();
    m_i = start.lesson;
    m_j = start.typed;
    m_horizon = start.horizon;
    m_alignment.slips.resize(start.slips);
}

void SlipAligner::walk() {
    auto input = std::upper_bound(m_inputs.begin(), m_inputs.end(), m_j,
                                  [](std::size_t j, const TypedInput& in) { return j < in.end; });
    while (m_j < m_typed.size()) {
        if (isLessonBreakSkipped(m_i, m_j)) {
            m_i += 2;
            continue;
        }
        if (m_i < m_lesson.size() && m_lesson[m_i] == m_typed[m_j]) {
            ++m_i;
            ++m_j;
            m_horizon = std::max(m_horizon, m_j);
            while (input != m_inputs.end() && input->end < m_j)
                ++input;
            if (input != m_inputs.end() && input->end == m_j)
                m_checkpoints.push_back({m_i, m_j, m_horizon, m_alignment.slips.size()});
            continue;
        }
        const bool latin = isLatin(m_typed[m_j]);
        const Resync next = resync(m_i, m_j);
        const AlignedSlip stretch{m_i, next.lesson, m_j, next.typed};
        for (const AlignedSlip& slip : latin ? std::vector{stretch} : splitAtMatches(stretch))
            m_alignment.slips.push_back(widened(slip));
        m_i = next.lesson;
        m_j = next.typed;
    }
}

SlipAligner::Resync SlipAligner::resync(std::size_t i, std::size_t j) {
    if (isLatin(m_typed[j]) && (i >= m_lesson.size() || !isLatin(m_lesson[i])))
        return latinRun(i, j);
    m_horizon = std::max(m_horizon, j + kWindow + kRun + kMostWidened);
    if (const auto found = nearestRunTogether(i, j))
        return *found;
    if (m_typed.size() - j <= kWindow) {
        m_horizon = kUnbounded; // what comes after the typed end may change it
        return tail(i, j);
    }
    // Nothing runs together nearby: the input stands against as much lesson.
    // What its slips are widened by follows it.
    const std::size_t q = inputEndAfter(j);
    m_horizon = std::max(m_horizon, q + kMostWidened);
    return {std::min(m_lesson.size(), i + (q - j)), q};
}

// The place where typed and lesson text run together again that skips the
// fewest characters of both. Typing may resume inside the input that parted
// from the lesson or at the end of any later one.
std::optional<SlipAligner::Resync> SlipAligner::nearestRunTogether(std::size_t i, std::size_t j) {
    const std::size_t inputEnd = inputEndAfter(j);
    const std::size_t lastQ = std::min(m_typed.size() - 1, j + kWindow);
    const std::size_t lastR = std::min(m_lesson.size(), i + kWindow);
    std::optional<Resync> best;
    std::size_t bestCost = kUnbounded;
    for (std::size_t q = j; q <= lastQ && q - j < bestCost; ++q) {
        if ((q > inputEnd && inputEndAfter(q - 1) != q) || splitsLineBreak(m_typed, q))
            continue;
        for (std::size_t r = i; r <= lastR && (q - j) + (r - i) < bestCost; ++r) {
            if ((q == j && r == i) || splitsLineBreak(m_lesson, r) || !runTogether(r, q) ||
                isCutShortFarOff(i, j, r, q))
                continue;
            best = Resync{r, q};
            bestCost = (q - j) + (r - i);
        }
    }
    return best;
}

// The program enters a lesson's line break for the learner, so a line break
// the learner did not type is passed over.
bool SlipAligner::isLessonBreakSkipped(std::size_t i, std::size_t j) const {
    return i + 1 < m_lesson.size() && m_lesson[i] == u'\r' && m_typed[j] != u'\r';
}

// A run the typed end cuts short is too little to pass over more of the
// lesson than was typed in its place: こんばん stands over 今晩, not over
// 今晩は、田中さ up to the ん of さん, and an extra line break just typed is
// extra, not the next line missed up to its end.
bool SlipAligner::isCutShortFarOff(std::size_t i, std::size_t j, std::size_t r,
                                   std::size_t q) const {
    return m_typed.size() - q < kRun && r - i > q - j;
}

bool SlipAligner::runTogether(std::size_t r, std::size_t q) const {
    std::size_t k = 0;
    while (k < kRun && q < m_typed.size()) {
        if (isLessonBreakSkipped(r, q)) {
            r += 2;
            continue;
        }
        if (r >= m_lesson.size() || m_lesson[r] != m_typed[q])
            return false;
        ++r, ++q, ++k;
    }
    return k > 0;
}

// Inside the stretch between two places where typed and lesson text run
// together, the characters that still match (an edit-distance alignment)
// part it into the slips of single words: 図書館で一緒に typed as
// 图书馆でいっしょに is two slips, not one.
std::vector<AlignedSlip> SlipAligner::splitAtMatches(const AlignedSlip& stretch) const {
    const std::size_t rows = stretch.lessonEnd - stretch.lessonStart;
    const std::size_t columns = stretch.typedEnd - stretch.typedStart;
    if (rows == 0 || columns == 0 || rows * columns > kMostCompared)
        return {stretch};
    const auto lessonAt = [&](std::size_t a) { return m_lesson[stretch.lessonStart + a]; };
    const auto typedAt = [&](std::size_t b) { return m_typed[stretch.typedStart + b]; };
    // cost[a][b]: the edits that turn the lesson's first a characters into the typed first b.
    std::vector<std::size_t> cost((rows + 1) * (columns + 1));
    const auto at = [&](std::size_t a, std::size_t b) -> std::size_t& {
        return cost[a * (columns + 1) + b];
    };
    for (std::size_t a = 0; a <= rows; ++a)
        for (std::size_t b = 0; b <= columns; ++b)
            at(a, b) = a == 0 || b == 0
                           ? a + b
                           : std::min({at(a - 1, b) + 1, at(a, b - 1) + 1,
                                       at(a - 1, b - 1) + (lessonAt(a - 1) != typedAt(b - 1))});
    std::vector<AlignedSlip> parts; // from the end
    std::optional<std::pair<std::size_t, std::size_t>> slipEnd;
    const auto close = [&](std::size_t a, std::size_t b) {
        if (slipEnd)
            parts.push_back({stretch.lessonStart + a, stretch.lessonStart + slipEnd->first,
                             stretch.typedStart + b, stretch.typedStart + slipEnd->second});
        slipEnd.reset();
    };
    std::size_t a = rows, b = columns;
    while (a > 0 || b > 0) {
        if (a > 0 && b > 0 && lessonAt(a - 1) == typedAt(b - 1) && at(a, b) == at(a - 1, b - 1)) {
            close(a, b);
            --a, --b;
            continue;
        }
        if (!slipEnd)
            slipEnd = std::pair(a, b);
        if (a > 0 && b > 0 && at(a, b) == at(a - 1, b - 1) + 1)
            --a, --b;
        else if (a > 0 && at(a, b) == at(a - 1, b) + 1)
            --a;
        else
            --b;
    }
    close(a, b);
    std::reverse(parts.begin(), parts.end());
    return parts;
}

// Letters typed with the input method off: one slip for the whole run, over
// the lesson it stood in place of.
SlipAligner::Resync SlipAligner::latinRun(std::size_t i, std::size_t j) {
    std::size_t q = j;
    while (q < m_typed.size() && (isLatin(m_typed[q]) || m_typed[q] == u' '))
        ++q;
    m_horizon = std::max(m_horizon, q + kRun + 1);
    const std::size_t guess = lineEnd(i, i + (q - j + 1) / 2);
    if (q == m_typed.size()) {
        m_horizon = kUnbounded;
        return {readAsRomaji(i, std::u16string_view(m_typed).substr(j)).value_or(guess), q};
    }
    const std::size_t lastR = std::min(m_lesson.size(), i + kLatinWindow);
    for (std::size_t r = i; r <= lastR; ++r)
        if (!splitsLineBreak(m_lesson, r) && runTogether(r, q))
            return {r, q};
    return {guess, q};
}

// Where the lesson's next words end if the letters are their romaji, as the
// learner typed them for the input method: watashiha over わたしは.
std::optional<std::size_t> SlipAligner::readAsRomaji(std::size_t i,
                                                     std::u16string_view letters) const {
    std::string typed;
    for (char16_t c : letters)
        if (c != u' ')
            typed += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::size_t r = i + 1; m_readings && r <= lineEnd(i, i + kWindow); ++r) {
        const auto read = readingOfStretch(m_lesson, *m_readings, i, r);
        if (read && romaji(*read) == typed)
            return r;
    }
    return std::nullopt;
}

// The typed text ends inside a slip: an extra line break stands over nothing,
// a commit whose kana read as the lesson's next words over those words, and
// anything else over as many lesson characters.
SlipAligner::Resync SlipAligner::tail(std::size_t i, std::size_t j) const {
    const std::u16string_view rest = std::u16string_view(m_typed).substr(j);
    if (std::all_of(rest.begin(), rest.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }))
        return {i, m_typed.size()};
    if (const auto reading = readingOfTail(j); reading && m_readings) {
        for (std::size_t r = i + 1; r <= lineEnd(i, i + kWindow); ++r) {
            const auto read = readingOfStretch(m_lesson, *m_readings, i, r);
            if (read && *read == *reading)
                return {r, m_typed.size()};
        }
    }
    return {std::max(lineEnd(i, i + rest.size()), i), m_typed.size()};
}

std::optional<std::u16string> SlipAligner::readingOfTail(std::size_t j) const {
    const std::u16string_view rest = std::u16string_view(m_typed).substr(j);
    if (std::all_of(rest.begin(), rest.end(), isKana))
        return toHiragana(rest);
    const std::size_t lastStart = m_inputs.size() > 1 ? m_inputs[m_inputs.size() - 2].end : 0;
    if (!m_inputs.empty() && lastStart == j && m_inputs.back().reading)
        return toHiragana(*m_inputs.back().reading);
    return std::nullopt;
}

// A slip in a word covers the whole word, its okurigana included, as far as
// the typed text stands right beside it.
AlignedSlip SlipAligner::widened(AlignedSlip slip) const {
    if (!m_readings || slip.lessonStart == slip.lessonEnd || slip.typedStart == slip.typedEnd)
        return slip;
    const AlignedSlip previous =
        m_alignment.slips.empty() ? AlignedSlip{} : m_alignment.slips.back();
    if (const ReadWord* word = m_readings->wordAt(slip.lessonStart)) {
        const std::size_t back =
            std::min({slip.lessonStart - word->start, slip.lessonStart - previous.lessonEnd,
                      slip.typedStart - previous.typedEnd});
        slip.lessonStart -= back;
        slip.typedStart -= back;
    }
    std::size_t wordEnd = slip.lessonEnd;
    if (const ReadWord* word = m_readings->wordAt(slip.lessonEnd - 1)) {
        wordEnd = word->start + word->length;
        for (const ReadWord* next = m_readings->wordAt(wordEnd);
             next && next->start == wordEnd && isHiragana(m_lesson[wordEnd - 1]) &&
             hasKanji(std::u16string_view(m_lesson).substr(word->start, wordEnd - word->start)) &&
             std::find(kEndings.begin(), kEndings.end(),
                       std::u16string_view(m_lesson).substr(next->start, next->length)) !=
                 kEndings.end();
             next = m_readings->wordAt(wordEnd))
            wordEnd = next->start + next->length;
    }
    wordEnd = std::min(wordEnd, slip.lessonEnd + kMostWidened);
    while (slip.lessonEnd < wordEnd && slip.typedEnd < m_typed.size() &&
           m_lesson[slip.lessonEnd] == m_typed[slip.typedEnd]) {
        ++slip.lessonEnd;
        ++slip.typedEnd;
    }
    return toCommitEnd(slip);
}

// A commit longer or shorter than its word is named whole, as the learner
// committed it, when the rest of the commit is typed right: こんばんは for
// 今晩は, not こんばん for 今晩. A commit that holds another slip is left cut.
AlignedSlip SlipAligner::toCommitEnd(AlignedSlip slip) const {
    if (slip.lessonEnd - slip.lessonStart == slip.typedEnd - slip.typedStart)
        return slip;
    const std::size_t commitEnd = inputEndAfter(slip.typedEnd - 1);
    if (commitEnd - slip.typedEnd > kMostWidened)
        return slip;
    AlignedSlip whole = slip;
    while (whole.typedEnd < commitEnd && whole.lessonEnd < m_lesson.size() &&
           m_typed[whole.typedEnd] != u'\r' &&
           m_lesson[whole.lessonEnd] == m_typed[whole.typedEnd]) {
        ++whole.lessonEnd;
        ++whole.typedEnd;
    }
    return whole.typedEnd == commitEnd ? whole : slip;
}

std::size_t SlipAligner::inputEndAfter(std::size_t j) const {
    const auto input =
        std::upper_bound(m_inputs.begin(), m_inputs.end(), j,
                         [](std::size_t at, const TypedInput& in) { return at < in.end; });
    return input == m_inputs.end() ? m_typed.size() : input->end;
}

// Where the line at `i` ends, looking no further than `limit`: a long line
// is not searched to its end at every key.
std::size_t SlipAligner::lineEnd(std::size_t i, std::size_t limit) const {
    const std::size_t last = std::min(limit, m_lesson.size());
    if (i >= last)
        return last;
    const auto begin = m_lesson.begin();
    return static_cast<std::size_t>(std::find(begin + static_cast<std::ptrdiff_t>(i),
                                              begin + static_cast<std::ptrdiff_t>(last), u'\r') -
                                    begin);
}
