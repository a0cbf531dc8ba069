#pragma once

#include "core/ports.h"

#include <string>
#include <vector>

// The state of one practice attempt, shared by the engine, the loader and the
// clock. Counts are 64-bit so that long lessons and large changes stay exact.
struct AttemptState {
    Pos CurPos = 0;         // lesson characters consumed; index of the next one
    Pos RightCount = 0;     // right characters, 2 per line break included
    Pos WrongCount = 0;     // wrong characters
    Pos LineBreakCount = 0; // line-break characters passed, 2 per line break
    std::u16string PrevTyped;
    std::u16string NewTyped;
    // How each consumed lesson position was counted, so that taking it back
    // undoes that count even if the learner overtyped the character since.
    std::vector<bool> CountedRight;
    bool SoundOn = true;
    bool KeySoundOn = true;
    int ClockStarted = 0;

    void reset() {
        CurPos = RightCount = WrongCount = LineBreakCount = 0;
        PrevTyped.clear();
        NewTyped.clear();
        CountedRight.clear();
        ClockStarted = 0;
    }
};

// The attempt clock off, the idle clock on, and the clock and count read-outs back to their
// captions at start: what every load, completion and abandonment does.
void resetReadouts(PracticeWindow& window);

// The end of an attempt, completed or given up: the read-outs reset and both
// boxes emptied.
void endAttempt(PracticeWindow& window, LessonBox& lesson, TypingBox& typing);
