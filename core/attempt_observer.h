#pragma once

#include "core/ports.h"

// An attempt's figures at its end, as the read-outs show them.
struct AttemptFigures {
    Pos elapsedSeconds = 0;
    Pos total = 0;
    Pos right = 0;
    Pos wrong = 0;
    double speed = 0; // characters per minute
    friend bool operator==(const AttemptFigures&, const AttemptFigures&) = default;
};

// Follows one practice attempt position by position, for the features that
// keep the learner's progress. Each call comes after the attempt's state has
// changed; an observer never changes the attempt.
class AttemptObserver {
  public:
    virtual ~AttemptObserver() = default;
    // A lesson was loaded: a new attempt begins, nothing evaluated yet.
    virtual void lessonLoaded() = 0;
    // The clock started on the learner's first change.
    virtual void started() = 0;
    // The lesson character at `position` was compared with what the learner typed.
    virtual void evaluated(Pos position, char16_t expected, char16_t typed, bool right) = 0;
    // The evaluation or line break at `position` was taken back (Backspace or a
    // shorter text).
    virtual void takenBack(Pos position) = 0;
    // A line break was entered; it occupies `position` and `position + 1`.
    virtual void lineBreak(Pos position) = 0;
    virtual void completed(const AttemptFigures& figures) = 0;
    // The learner gave up the attempt through `Sav`.
    virtual void gaveUp(const AttemptFigures& figures) = 0;
};
