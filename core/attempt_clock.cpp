#include "core/attempt_clock.h"

#include "core/clock_text.h"

#include <string>

void AttemptClock::idleTick() {
    const TimeOfDay now = localTimeOfDay(m_clock.now());
    if (m_shownTime == now)
        return;
    m_shownTime = now;
    m_window.setCaption(FormLabel::Label13, timeOfDayText(now));
}

void AttemptClock::startAttempt(WallTime now, TimeOfDay timeOfDay) {
    const std::u16string text = timeOfDayText(timeOfDay);
    m_window.setCaption(FormLabel::Label11, text);
    m_window.setDialogCaption(DialogLabel::Label11, text);
    m_startedAt = now;
    m_start = timeOfDay;
    m_state.ClockStarted = 1;
    m_window.runIdleClock(false);
}

void AttemptClock::attemptTick(Pos total) {
    const WallTime now = m_clock.now();
    const TimeOfDay timeOfDay = localTimeOfDay(now);
    if (m_state.ClockStarted == 0)
        startAttempt(now, timeOfDay);
    else if (m_shownTime == timeOfDay && m_shownTotal == total)
        return;
    m_shownAt = now;
    m_shownTime = timeOfDay;
    m_shownTotal = total;
    const std::u16string text = timeOfDayText(timeOfDay);
    m_window.setCaption(FormLabel::Label13, text);
    m_window.setDialogCaption(DialogLabel::Label13, text);
    m_shownElapsed = elapsedSeconds(m_start, timeOfDay);
    const std::u16string elapsedCaption = elapsedText(m_shownElapsed);
    m_window.setCaption(FormLabel::Label3, elapsedCaption);
    m_window.setDialogCaption(DialogLabel::L3, elapsedCaption);
    const double perMinute = charactersPerMinute(total, m_shownElapsed);
    m_shownSpeed = ::shownSpeed(perMinute);
    const std::u16string speed = speedText(perMinute);
    m_window.setCaption(FormLabel::Label2, speed);
    m_window.setDialogCaption(DialogLabel::Label2, speed);
}
