#include "core/attempt_record.h"

#include "core/common_prefix.h"

#include <algorithm>

namespace {

TypedEvent::Kind kindOf(std::u16string_view added, const std::optional<std::u16string>& reading) {
    if (added == u"\r\n")
        return TypedEvent::Kind::LineBreak;
    return added.size() == 1 && !reading ? TypedEvent::Kind::Key : TypedEvent::Kind::Commit;
}

} // namespace

void AttemptRecord::begin(const LoadedLesson& loaded, PracticeMode practisedIn) {
    *this = {};
    lesson = loaded;
    mode = practisedIn;
}

void AttemptRecord::typedNow(std::u16string now, std::u16string_view learnerAdded,
                             std::optional<std::u16string> reading) {
    const std::size_t kept = commonPrefix(typed, now);
    while (!enteredBreaks.empty() && enteredBreaks.back() + 1 >= kept)
        enteredBreaks.pop_back();
    if (kept < typed.size()) {
        events.push_back(
            {TypedEvent::Kind::TakeBack, {}, std::nullopt, static_cast<Pos>(typed.size() - kept)});
        while (!inputs.empty() && inputs.back().end > kept) {
            if (inputs.size() == 1 || inputs[inputs.size() - 2].end < kept) {
                inputs.back().end = kept; // a commit partly taken back keeps its start
                inputs.back().reading.reset();
                break;
            }
            inputs.pop_back();
        }
        if (!inputs.empty() && inputs.back().end == 0)
            inputs.pop_back();
    }
    if (now.size() > kept) {
        std::u16string added = now.substr(kept);
        noteEnteredBreaks(kept, added, learnerAdded);
        events.push_back({kindOf(learnerAdded, reading), std::u16string(learnerAdded), reading, 0});
        inputs.push_back({now.size(), std::move(reading)});
    }
    typed = std::move(now);
}

// The line breaks of `added` that the learner's own text lacks were entered
// by the program: a key at a line end became one, or a commit ran past it.
void AttemptRecord::noteEnteredBreaks(std::size_t at, std::u16string_view added,
                                      std::u16string_view learnerAdded) {
    std::size_t k = 0;
    for (std::size_t i = 0; i < added.size(); ++i) {
        const bool isBreak = added.substr(i, 2) == u"\r\n";
        if (isBreak && learnerAdded.substr(k, 2) == u"\r\n") {
            ++i;
            k += 2;
        } else if (isBreak) {
            enteredBreaks.push_back(at + i);
            ++i;
            k += learnerAdded.size() == 1 ? 1 : 0; // the key taken for the line break
        } else {
            ++k;
        }
    }
}

std::size_t AttemptRecord::updateLearnerText(LearnerText& learner, std::size_t kept) const {
    // A line break cut at `kept` may have been entered then and is the learner's now.
    std::size_t from = kept < 2 ? 0 : kept - 2;
    auto entered = std::lower_bound(enteredBreaks.begin(), enteredBreaks.end(), from);
    if (entered != enteredBreaks.begin() && *(entered - 1) + 1 == from)
        from = *--entered;
    const std::size_t learnerFrom =
        from - 2 * static_cast<std::size_t>(entered - enteredBreaks.begin());
    learner.text.resize(learnerFrom);
    while (!learner.inputs.empty() && learner.inputs.back().end > learnerFrom)
        learner.inputs.pop_back();
    auto input = std::lower_bound(inputs.begin(), inputs.end(), from,
                                  [](const TypedInput& in, std::size_t at) { return in.end < at; });
    for (std::size_t p = from;; ++p) {
        for (; input != inputs.end() && input->end <= p; ++input)
            if (learner.inputs.empty() || learner.inputs.back().end < learner.text.size())
                learner.inputs.push_back({learner.text.size(), input->reading});
        if (p >= typed.size())
            break;
        if (entered != enteredBreaks.end() && *entered == p) {
            ++entered;
            ++p; // and its LF
            continue;
        }
        learner.text += typed[p];
    }
    return learnerFrom;
}

std::size_t AttemptRecord::learnerLength() const {
    std::size_t entered = 0;
    for (const std::size_t at : enteredBreaks)
        entered += std::min<std::size_t>(2, typed.size() - at);
    return typed.size() - entered;
}

void AttemptRecord::modeNow(PracticeMode shown) {
    if (shown == PracticeMode::Text)
        mode = shown;
}

const Slip* AttemptRecord::rootSlip() const {
    const auto open = std::find_if(slips.begin(), slips.end(), [](const Slip& slip) {
        return !slip.corrected && !slip.takenBack;
    });
    return open == slips.end() ? nullptr : &*open;
}

Pos AttemptRecord::shiftedCharacters() const {
    const std::u16string& text = lesson.text;
    std::vector<bool> inSlip(text.size(), false);
    for (const Slip& slip : slips) {
        const auto end = std::min(text.size(), static_cast<std::size_t>(slip.start) +
                                                   std::max<std::size_t>(1, slip.expected.size()));
        for (auto p = static_cast<std::size_t>(slip.start); !slip.corrected && p < end; ++p)
            inSlip[p] = true;
    }
    Pos shifted = 0;
    for (std::size_t p = 0; p < std::min(text.size(), typed.size()); ++p)
        shifted += text[p] != typed[p] && text[p] != u'\r' && text[p] != u'\n' && !inSlip[p];
    return shifted;
}
