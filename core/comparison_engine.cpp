#include "core/comparison_engine.h"

#include "core/number_text.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

// What a change adds to the typed text: its evaluated characters and the line
// breaks entered for it. A CR or LF that is not part of a whole line break is
// replaced by a mark, as a text box cannot hold it.
std::u16string keepableInTypingBox(std::u16string_view evaluated) {
    std::u16string kept(evaluated);
    for (size_t i = 0; i < kept.size(); ++i) {
        const bool pairStart = kept[i] == u'\r' && i + 1 < kept.size() && kept[i + 1] == u'\n';
        if (pairStart)
            ++i;
        else if (kept[i] == u'\r' || kept[i] == u'\n')
            kept[i] = ComparisonEngine::kEarlyLineBreakMark;
    }
    return kept;
}

// How many of the added characters, from the k-th on, a line break of the
// lesson takes. A single key at a line end is the line break, whatever it is;
// in a longer change only the learner's own line break (CR LF, or the LF left
// of an Enter whose CR went to the line's last character) is, and the rest is
// evaluated after the break.
size_t charactersTakenByLineBreak(std::u16string_view added, size_t k) {
    if (added.size() == 1)
        return 1;
    if (added.substr(k, kLineBreak.size()) == kLineBreak)
        return kLineBreak.size();
    return added[k] == u'\r' || added[k] == u'\n' ? 1 : 0;
}

} // namespace

std::optional<char16_t> ComparisonEngine::lessonCharAt(Pos p) const {
    const std::u16string& text = m_lesson.text();
    if (p < 0 || p >= static_cast<Pos>(text.size()))
        return std::nullopt;
    const char16_t ch = text[static_cast<size_t>(p)];
    if (ch == u'\r' || ch == u'\n')
        return std::nullopt;
    return ch;
}

ComparisonEngine::Outcome ComparisonEngine::typedTextChanged(std::u16string typed) {
    if (m_lesson.text().empty())
        return Outcome::NoLesson;
    m_window.enableGiveUp();
    m_state.NewTyped = typed;
    m_typed = std::move(typed);
    const auto newLength = static_cast<Pos>(m_state.NewTyped.size());
    const auto prevLength = static_cast<Pos>(m_state.PrevTyped.size());
    const Pos d = newLength < prevLength ? prevLength - newLength : newLength - prevLength;
    m_window.runAttemptClock(true);
    m_state.CountedRight.resize(m_lesson.text().size());
    if (newLength < m_state.CurPos) {
        takeBack(d);
    } else if (!evaluateAdded(d)) {
        updateCounts(); // the save-score form shows what was evaluated
        complete();
        return Outcome::Completed;
    }
    m_state.PrevTyped = m_typed;
    updateCounts();
    return Outcome::Evaluated;
}

void ComparisonEngine::complete() {
    m_cues.play(Cue::Finish);
    endAttempt(m_window, m_lesson, m_typing);
    m_window.showDialogModeless();
}

void ComparisonEngine::rewriteTypingBox(std::u16string text) {
    m_typing.setText(text);
    m_typing.moveCaretToEnd();
    m_typed = std::move(text);
}

void ComparisonEngine::moveUnderlineTo(Pos p) {
    m_lesson.select(0, static_cast<Pos>(m_lesson.text().size()));
    m_lesson.setSelectionUnderline(false);
    m_lesson.select(p, 1);
    m_lesson.setSelectionUnderline(true);
}

void ComparisonEngine::takeBack(Pos count) {
    for (Pos i = 0; i < count && m_state.CurPos > 0 && !m_state.PrevTyped.empty(); ++i) {
        const Pos last = m_state.CurPos - 1;
        m_lesson.select(last, 1);
        m_cues.play(Cue::Back);
        const auto lessonChar = lessonCharAt(last);
        if (!lessonChar) {
            m_state.CurPos -= 2;
            m_state.RightCount -= 2;
            m_state.LineBreakCount -= 2;
            const size_t keep = m_state.PrevTyped.size() >= 2 ? m_state.PrevTyped.size() - 2 : 0;
            rewriteTypingBox(m_state.PrevTyped.substr(0, keep));
            moveUnderlineTo(m_state.CurPos);
            m_observer.takenBack(m_state.CurPos);
            return;
        }
        if (m_state.CountedRight[static_cast<size_t>(last)])
            --m_state.RightCount;
        else
            --m_state.WrongCount;
        --m_state.CurPos;
        m_lesson.setSelectionColour(kBlack);
        moveUnderlineTo(m_state.CurPos);
        m_state.PrevTyped.pop_back();
        m_observer.takenBack(m_state.CurPos);
    }
}

// The added characters are evaluated in order. A line break of the lesson met
// on the way is entered for the learner and the evaluation goes on after it, so
// that nothing of a phrase committed across a line end is lost.
bool ComparisonEngine::evaluateAdded(Pos count) {
    count = std::min(count, static_cast<Pos>(m_state.NewTyped.size()));
    m_state.NewTyped.erase(0, m_state.NewTyped.size() - static_cast<size_t>(count));
    const std::u16string_view added = m_state.NewTyped;
    const auto lessonLength = static_cast<Pos>(m_lesson.text().size());
    std::u16string entered; // what the typed text gains: characters and line breaks
    bool lineBreakEntered = false;
    for (size_t k = 0; k < added.size();) {
        if (m_state.CurPos >= lessonLength)
            return false;
        m_lesson.select(m_state.CurPos + 1, 1);
        m_lesson.setSelectionUnderline(true);
        m_lesson.select(m_state.CurPos, 1);
        const auto lessonChar = lessonCharAt(m_state.CurPos);
        if (!lessonChar) {
            k += charactersTakenByLineBreak(added, k);
            enterLineBreak();
            entered += kLineBreak;
            lineBreakEntered = true;
            continue;
        }
        evaluateCharacter(added[k], *lessonChar);
        entered += added[k];
        ++k;
    }
    if (lineBreakEntered)
        rewriteTypingBox(m_state.PrevTyped + keepableInTypingBox(entered));
    return true;
}

void ComparisonEngine::evaluateCharacter(char16_t typed, char16_t lessonChar) {
    const bool right = m_codePage.canonical(typed) == lessonChar;
    m_state.CountedRight[static_cast<size_t>(m_state.CurPos)] = right;
    if (right) {
        m_cues.play(Cue::Right);
        m_lesson.setSelectionColour(kBlue);
        ++m_state.RightCount;
    } else {
        m_cues.play(Cue::Wrong);
        m_lesson.setSelectionColour(kRed);
        ++m_state.WrongCount;
    }
    ++m_state.CurPos;
    m_lesson.setSelectionUnderline(false);
    m_observer.evaluated(m_state.CurPos - 1, lessonChar, typed, right);
}

void ComparisonEngine::enterLineBreak() {
    m_cues.play(Cue::LineBreak);
    m_state.CurPos += 2;
    m_state.RightCount += 2;
    m_state.LineBreakCount += 2;
    m_lesson.select(m_state.CurPos, 1);
    m_lesson.setSelectionUnderline(true);
    m_observer.lineBreak(m_state.CurPos - 2);
}

void ComparisonEngine::updateCounts() {
    const std::u16string total = numberText(m_state.CurPos - m_state.LineBreakCount);
    const std::u16string right = numberText(m_state.RightCount - m_state.LineBreakCount);
    const std::u16string wrong = numberText(m_state.WrongCount);
    m_window.setCaption(FormLabel::Label9, total);
    m_window.setDialogCaption(DialogLabel::Label9, total);
    m_window.setCaption(FormLabel::Label5, right);
    m_window.setCaption(FormLabel::Label7, wrong);
    m_window.setDialogCaption(DialogLabel::Label5, right);
    m_window.setDialogCaption(DialogLabel::Label7, wrong);
}
