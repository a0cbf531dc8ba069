#pragma once

#include "core/attempt_state.h"
#include "core/ports.h"

#include <optional>

// The two clocks of the main window. The idle clock (`Timer2`) shows the time of
// day while no attempt runs; the attempt clock (`Timer1`) takes the start time on
// its first tick and then shows the time of day, the elapsed time and the speed,
// copying each into the save dialog. A tick in which neither the second nor the
// total changed writes nothing. The clock keeps what it shows as numbers and
// moments; the texts are made only for the labels.
class AttemptClock {
  public:
    AttemptClock(AttemptState& state, PracticeWindow& window, const Clock& clock)
        : m_state(state), m_window(window), m_clock(clock) {}

    void attemptTick(Pos total);
    void idleTick();
    // The moment the start-time label shows, taken on the attempt clock's first tick.
    WallTime startedAt() const { return m_startedAt; }
    // The moment of the last attempt tick, whose time of day the label shows.
    WallTime shownAt() const { return m_shownAt; }
    // The elapsed seconds the elapsed-time label shows; 0 before the first tick.
    double shownElapsed() const { return m_shownElapsed; }
    // The speed the speed label shows, cut to its six characters; 0 before the first tick.
    double shownSpeed() const { return m_shownSpeed; }

  private:
    void startAttempt(WallTime now, TimeOfDay timeOfDay);

    AttemptState& m_state;
    PracticeWindow& m_window;
    const Clock& m_clock;
    WallTime m_startedAt{};
    TimeOfDay m_start{};
    WallTime m_shownAt{};
    std::optional<TimeOfDay> m_shownTime; // what the time-of-day label shows
    Pos m_shownTotal = -1;
    double m_shownElapsed = 0;
    double m_shownSpeed = 0;
};
