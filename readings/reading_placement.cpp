#include "readings/reading_placement.h"

#include "readings/kana.h"

#include <algorithm>

namespace {

// A run of the written form: kanji that need a reading, or kana written out.
struct Run {
    std::size_t offset;
    std::u16string_view text;
    bool kanji;
};

std::vector<Run> runsOf(std::u16string_view surface) {
    std::vector<Run> runs;
    for (std::size_t i = 0; i < surface.size();) {
        const bool kanji = takesReading(surface[i]);
        std::size_t end = i;
        while (end < surface.size() && takesReading(surface[end]) == kanji)
            ++end;
        runs.push_back({i, surface.substr(i, end - i), kanji});
        i = end;
    }
    return runs;
}

// Matches the runs against the reading, giving each kanji run the shortest
// reading that lets the rest match. Dead ends are remembered, so that a long
// correction line cannot make the search explode.
class RunMatcher {
  public:
    RunMatcher(const std::vector<Run>& runs, std::u16string_view reading)
        : m_runs(runs), m_reading(reading), m_deadEnd((runs.size() + 1) * (reading.size() + 1)) {}

    bool match(std::size_t index, std::size_t at) {
        if (index == m_runs.size())
            return at == m_reading.size();
        char& deadEnd = m_deadEnd[index * (m_reading.size() + 1) + at];
        if (deadEnd)
            return false;
        deadEnd = matchRun(index, at) ? 0 : 1;
        return deadEnd == 0;
    }

    std::vector<std::u16string_view> kanjiReadings;

  private:
    bool matchRun(std::size_t index, std::size_t at) {
        const Run& run = m_runs[index];
        if (!run.kanji) {
            const std::u16string kana = toHiragana(run.text);
            return m_reading.substr(at, kana.size()) == kana && match(index + 1, at + kana.size());
        }
        for (std::size_t length = 1; at + length <= m_reading.size(); ++length) {
            kanjiReadings.push_back(m_reading.substr(at, length));
            if (match(index + 1, at + length))
                return true;
            kanjiReadings.pop_back();
        }
        return false;
    }

    const std::vector<Run>& m_runs;
    std::u16string_view m_reading;
    std::vector<char> m_deadEnd;
};

// Where the kana of the written form cannot be found in the reading, the
// reading goes over the written form from its first kanji to its last, less
// the kana written before and after them where the reading has them too.
Ruby wholeWord(std::u16string_view surface, std::u16string_view reading, std::size_t start) {
    const auto first = static_cast<std::size_t>(
        std::find_if(surface.begin(), surface.end(), takesReading) - surface.begin());
    const auto last = static_cast<std::size_t>(
        surface.rend() - std::find_if(surface.rbegin(), surface.rend(), takesReading));
    const std::u16string before = toHiragana(surface.substr(0, first));
    const std::u16string after = toHiragana(surface.substr(last));
    std::u16string_view middle = reading;
    if (middle.starts_with(before) && middle.size() > before.size())
        middle.remove_prefix(before.size());
    if (middle.ends_with(after) && middle.size() > after.size())
        middle.remove_suffix(after.size());
    return Ruby{start + first, last - first, std::u16string(middle)};
}

} // namespace

std::vector<Ruby> placeReading(std::u16string_view surface, std::u16string_view reading,
                               std::size_t start) {
    if (reading.empty() || std::none_of(surface.begin(), surface.end(), takesReading))
        return {};
    const std::vector<Run> runs = runsOf(surface);
    RunMatcher matcher(runs, reading);
    if (!matcher.match(0, 0))
        return {wholeWord(surface, reading, start)};
    std::vector<Ruby> rubies;
    auto next = matcher.kanjiReadings.begin();
    for (const Run& run : runs) {
        if (run.kanji)
            rubies.push_back({start + run.offset, run.text.size(), std::u16string(*next++)});
    }
    return rubies;
}
