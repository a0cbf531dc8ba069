#pragma once

#include "core/loaded_lesson.h"
#include "core/ports.h"

#include <optional>

struct AttemptRecord;

// An attempt's figures at its end, as the read-outs show them.
struct AttemptFigures {
    Pos elapsedSeconds = 0;
    Pos total = 0;
    Pos right = 0;
    Pos wrong = 0;
    double speed = 0; // characters per minute
    // The moments the start-time and time-of-day labels show (the save dialog's
    // start and finish time); none before the clock started.
    std::optional<WallTime> startedAt = std::nullopt;
    std::optional<WallTime> finishedAt = std::nullopt;
    friend bool operator==(const AttemptFigures&, const AttemptFigures&) = default;
};

// Follows the practice session attempt by attempt, for every feature beyond
// the practice itself. Each call comes after the attempt's state has changed;
// an observer never changes the attempt. An observer overrides only the
// reports it needs.
class AttemptObserver {
  public:
    virtual ~AttemptObserver() = default;
    // A lesson was loaded, also when its file could not be read: a new attempt
    // begins at position 0, nothing evaluated yet.
    virtual void lessonLoaded(const LoadedLesson& /*lesson*/) {}
    // The clock started on the learner's first change.
    virtual void started() {}
    // The lesson character at `position` was compared with what the learner typed.
    virtual void evaluated(Pos /*position*/, char16_t /*expected*/, char16_t /*typed*/,
                           bool /*right*/) {}
    // The evaluation or line break at `position` was taken back (Backspace or a
    // shorter text).
    virtual void takenBack(Pos /*position*/) {}
    // A line break was entered; it occupies `position` and `position + 1`.
    virtual void lineBreak(Pos /*position*/) {}
    // The next lesson character to type is now at `position`, after a change
    // of the learner's that moved it.
    virtual void positionChanged(Pos /*position*/) {}
    // The attempt's record after each change of the learner's, its slips found
    // anew; it stays valid, and changes only between calls, for the session's life.
    virtual void recordChanged(const AttemptRecord& /*record*/) {}
    virtual void completed(const AttemptFigures& /*figures*/) {}
    // The learner gave up the attempt through `Sav`.
    virtual void gaveUp(const AttemptFigures& /*figures*/) {}
};
