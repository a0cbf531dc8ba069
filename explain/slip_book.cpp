#include "explain/slip_book.h"

#include "core/common_prefix.h"
#include "core/local_files.h"
#include "readings/kana.h"

#include <algorithm>

namespace {

// A line break the engine entered inside a slip on both sides is no part of it.
void dropPairedLineBreaks(std::u16string& expected, std::u16string& typed) {
    for (std::size_t e = expected.find(u"\r\n"), t = typed.find(u"\r\n");
         e != std::u16string::npos && t != std::u16string::npos;
         e = expected.find(u"\r\n"), t = typed.find(u"\r\n")) {
        expected.erase(e, 2);
        typed.erase(t, 2);
    }
}

// What is left of `whole` while the learner takes it back Backspace by
// Backspace: the slip found at its start typed as the first part of it.
bool isRemnantOf(const Slip& slip, const Slip& whole) {
    return !slip.typed.empty() && slip.typed.size() < whole.typed.size() &&
           whole.typed.starts_with(slip.typed);
}

bool overlaps(const Slip& a, Pos start, Pos end) {
    const Pos aEnd = a.start + static_cast<Pos>(a.expected.size());
    return a.start < end && start < std::max(aEnd, a.start + 1);
}

} // namespace

bool typedWithInputMethodOff(std::u16string_view expected, std::u16string_view typed) {
    const auto hasLatinLetter = [](std::u16string_view text) {
        return std::any_of(text.begin(), text.end(), [](char16_t c) {
            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        });
    };
    return hasLatinLetter(typed) && !hasLatinLetter(expected);
}

void SlipBook::lessonLoaded(const LoadedLesson& lesson) {
    m_lesson = lesson.text;
    m_readings = m_lessonReadings.of(lesson);
    m_lineStarts = {0};
    for (std::size_t p = m_lesson.find(u'\n'); p != std::u16string::npos;
         p = m_lesson.find(u'\n', p + 1))
        m_lineStarts.push_back(static_cast<Pos>(p + 1));
    m_aligner.lessonLoaded(m_lesson, &m_readings);
    m_typed.clear();
    m_learner = {};
    m_aligned.clear();
    m_live.clear();
    m_takenBack.clear();
    m_kinds.clear();
}

// Only what changed since the last call is worked out again: the learner's
// text from where the typed text changed, the alignment from the last place
// the change cannot have touched, and the slips that are not as before.
void SlipBook::findSlips(AttemptRecord& record) {
    const std::size_t kept = commonPrefix(m_typed, record.typed);
    m_typed.replace(kept, std::u16string::npos, record.typed, kept);
    const std::size_t unchanged = record.updateLearnerText(m_learner, kept);
    const Alignment alignment = m_aligner.align(m_learner.text, m_learner.inputs);
    Slips live = described(alignment.slips, unchanged);
    keepTakenBack(live, m_learner.text.size());
    m_live = live;
    record.reached = static_cast<Pos>(alignment.reached);
    addTakenBack(live, record.reached);
    std::stable_sort(live.begin(), live.end(),
                     [](const Slip& a, const Slip& b) { return a.start < b.start; });
    record.slips = std::move(live);
}

// The slips taken back follow the slips found now: corrected once typing has
// passed them and no slip found now lies on them. One whose remnant is still
// found is left out: the remnant stands for it until it is gone.
void SlipBook::addTakenBack(Slips& slips, Pos reached) {
    const auto found = static_cast<std::ptrdiff_t>(slips.size());
    for (auto& entry : m_takenBack) {
        Slip& slip = entry.second;
        const Pos start = entry.first;
        const Pos end = start + static_cast<Pos>(slip.expected.size());
        if (std::any_of(slips.begin(), slips.begin() + found,
                        [&](const Slip& s) { return s.start == start; }))
            continue;
        slip.corrected =
            reached >= end && std::none_of(slips.begin(), slips.begin() + found,
                                           [&](const Slip& s) { return overlaps(s, start, end); });
        slips.push_back(slip);
    }
}

// A slip whose typed part was cut is taken back as the learner made it; one
// found again at its start replaces it, unless it is only what is left of it.
void SlipBook::keepTakenBack(const Slips& live, std::size_t typedLength) {
    for (const Slip& slip : m_live)
        if (typedLength < static_cast<std::size_t>(slip.typedStart) + slip.typedLength ||
            typedLength <= static_cast<std::size_t>(slip.typedStart))
            if (const auto kept = m_takenBack.find(slip.start);
                kept == m_takenBack.end() || !isRemnantOf(slip, kept->second))
                m_takenBack.insert_or_assign(slip.start, slip).first->second.takenBack = true;
    for (const Slip& slip : live)
        if (const auto kept = m_takenBack.find(slip.start);
            kept != m_takenBack.end() && !isRemnantOf(slip, kept->second))
            m_takenBack.erase(kept);
}

// A slip found where it was before, over typed text and inputs the change
// left as they were, is described as it was.
Slips SlipBook::described(const std::vector<AlignedSlip>& found, std::size_t unchanged) {
    Slips live;
    live.reserve(found.size());
    for (std::size_t k = 0; k < found.size(); ++k) {
        const bool same =
            k < m_aligned.size() && m_aligned[k] == found[k] &&
            std::max(found[k].typedEnd, inputEndAfter(found[k].typedStart)) <= unchanged;
        live.push_back(same ? m_live[k] : described(found[k], m_learner));
    }
    m_aligned = found;
    return live;
}

std::size_t SlipBook::inputEndAfter(std::size_t at) const {
    const auto input =
        std::upper_bound(m_learner.inputs.begin(), m_learner.inputs.end(), at,
                         [](std::size_t p, const TypedInput& in) { return p < in.end; });
    return input == m_learner.inputs.end() ? m_learner.text.size() + 1 : input->end;
}

Slip SlipBook::described(const AlignedSlip& aligned, const AttemptRecord::LearnerText& learner) {
    Slip slip;
    slip.start = static_cast<Pos>(aligned.lessonStart);
    slip.typedStart = static_cast<Pos>(aligned.typedStart);
    slip.expected = m_lesson.substr(aligned.lessonStart, aligned.lessonEnd - aligned.lessonStart);
    slip.typed = learner.text.substr(aligned.typedStart, aligned.typedEnd - aligned.typedStart);
    slip.typedLength = static_cast<Pos>(slip.typed.size());
    slip.reading = readingOfStretch(m_lesson, m_readings, aligned.lessonStart, aligned.lessonEnd)
                       .value_or(u"");
    slip.preedit = preeditOf(aligned, learner);
    dropPairedLineBreaks(slip.expected, slip.typed);
    slip.line = lineOf(slip.start);
    slip.explanation = kindOf(slip);
    return slip;
}

Explanation SlipBook::kindOf(const Slip& slip) {
    if (typedWithInputMethodOff(slip.expected, slip.typed))
        return {MistakeKind::InputMethodOff, {}};
    if (slip.expected.empty())
        return {MistakeKind::Extra, {}};
    if (slip.typed.empty())
        return {MistakeKind::Missing, {}};
    const auto key = std::tuple(slip.expected, slip.typed, slip.preedit.value_or(u""));
    if (const auto known = m_kinds.find(key); known != m_kinds.end())
        return known->second;
    const Explanation told =
        m_classifier.classify({slip.expected, slip.typed, slip.reading, slip.preedit});
    m_kinds.emplace(key, told);
    return told;
}

// The kana typed for the slip: those of its commit when it is the whole
// commit, or its own when the commit was kana left as they were typed.
std::optional<std::u16string> SlipBook::preeditOf(const AlignedSlip& aligned,
                                                  const AttemptRecord::LearnerText& learner) {
    const auto input =
        std::upper_bound(learner.inputs.begin(), learner.inputs.end(), aligned.typedStart,
                         [](std::size_t at, const TypedInput& in) { return at < in.end; });
    if (input == learner.inputs.end() || !input->reading || aligned.typedEnd > input->end)
        return std::nullopt;
    const std::size_t start = input == learner.inputs.begin() ? 0 : (input - 1)->end;
    const std::u16string_view text =
        std::u16string_view(learner.text).substr(start, input->end - start);
    if (start == aligned.typedStart && input->end == aligned.typedEnd)
        return input->reading;
    if (toHiragana(text) == toHiragana(*input->reading))
        return toHiragana(
            text.substr(aligned.typedStart - start, aligned.typedEnd - aligned.typedStart));
    return std::nullopt;
}

int SlipBook::lineOf(Pos position) const {
    const auto after = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), position);
    return static_cast<int>(after - m_lineStarts.begin());
}

Slips slipsOfTypedText(SlipBook& book, const LoadedLesson& lesson, std::u16string typed) {
    book.lessonLoaded(lesson);
    AttemptRecord record;
    record.begin(lesson, PracticeMode::Text);
    for (std::size_t end = 1; end <= typed.size(); ++end)
        record.inputs.push_back({end, std::nullopt});
    record.typed = std::move(typed);
    for (std::size_t p = record.typed.find(u'\r'); p != std::u16string::npos;
         p = record.typed.find(u'\r', p + 2))
        record.enteredBreaks.push_back(p); // where the lesson has them, they were entered for it
    book.findSlips(record);
    return record.slips;
}
