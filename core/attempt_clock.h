#pragma once

#include "core/attempt_state.h"
#include "core/ports.h"

#include <optional>

// The two clocks of the main window. `Timer2` shows the time of day while no
// attempt runs; `Timer1` takes the start time on its first tick and then shows
// the time of day, the elapsed time and the speed, copying each into the save
// dialog. A tick in which neither the second nor the total changed writes nothing.
class AttemptClock {
  public:
    AttemptClock(AttemptState& state, PracticeWindow& window, const Clock& clock)
        : m_state(state), m_window(window), m_clock(clock) {}

    void Timer1_Timer(Pos total);
    void Timer2_Timer();
    // The elapsed seconds Label3 shows; 0 before Timer1's first tick.
    double shownElapsed() const { return m_shownElapsed; }
    // The speed Label2 shows, cut to its six characters; 0 before the first tick.
    double shownSpeed() const { return m_shownSpeed; }

  private:
    void startAttempt(TimeOfDay now);

    AttemptState& m_state;
    PracticeWindow& m_window;
    const Clock& m_clock;
    TimeOfDay m_start{};
    std::optional<TimeOfDay> m_shownTime; // what Label13 shows
    Pos m_shownTotal = -1;
    double m_shownElapsed = 0;
    double m_shownSpeed = 0;
};
