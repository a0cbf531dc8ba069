#pragma once

#include "core/attempt_observer.h"
#include "core/attempt_state.h"
#include "core/code_page.h"
#include "core/cue_sounds.h"
#include "core/ports.h"

#include <optional>

// Each change of the typing box (`R2`): evaluates what the learner added to or
// took from the end of the typed text against the lesson character at `CurPos`,
// marks the lesson box, keeps the counts and read-outs, plays the cues and
// completes the attempt. Every evaluation, take-back and line break is reported to the observer.
class ComparisonEngine {
  public:
    ComparisonEngine(AttemptState& state, LessonBox& lesson, TypingBox& typing,
                     PracticeWindow& window, CueSounds& cues, CodePage& codePage,
                     AttemptObserver& observer)
        : m_state(state), m_lesson(lesson), m_typing(typing), m_window(window), m_cues(cues),
          m_codePage(codePage), m_observer(observer) {}

    enum class Outcome { NoLesson, Evaluated, Completed };
    // `typed` is the whole text the typing box holds after the learner's change.
    Outcome typedTextChanged(std::u16string typed);

    // Stands in the typed text for an Enter pressed one character before a line
    // end: a lone CR cannot stay in a text box, and the character must keep the
    // typed text as long as `CurPos`. It is outside the code page, so it never
    // equals a lesson character.
    static constexpr char16_t kEarlyLineBreakMark = u'\u21B5';

  private:
    // The lesson character at p; nothing past the end or inside a line break.
    std::optional<char16_t> lessonCharAt(Pos p) const;
    void complete();
    void takeBack(Pos count);
    // Returns false when the added characters run past the lesson's end.
    bool evaluateAdded(Pos count);
    void evaluateCharacter(char16_t typed, char16_t lessonChar);
    void enterLineBreak();
    void moveUnderlineTo(Pos p);
    void updateCounts();
    void rewriteTypingBox(std::u16string text);

    AttemptState& m_state;
    LessonBox& m_lesson;
    TypingBox& m_typing;
    PracticeWindow& m_window;
    CueSounds& m_cues;
    CodePage& m_codePage;
    AttemptObserver& m_observer;
    std::u16string m_typed; // what the typing box holds during a change
};
