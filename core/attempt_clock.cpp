#include "core/attempt_clock.h"

#include "core/clock_text.h"
#include "core/utf8.h"

#include <charconv>
#include <string>

void AttemptClock::Timer2_Timer() {
    const TimeOfDay now = m_clock.now();
    if (m_shownTime == now)
        return;
    m_shownTime = now;
    m_window.setCaption(FormLabel::Label13, timeOfDayText(now));
}

void AttemptClock::startAttempt(TimeOfDay now) {
    const std::u16string text = timeOfDayText(now);
    m_window.setCaption(FormLabel::Label11, text);
    m_window.setDialogCaption(DialogLabel::Label11, text);
    m_start = timeFields(text);
    m_state.ClockStarted = 1;
    m_window.setTimer2(false);
}

void AttemptClock::Timer1_Timer(Pos total) {
    const TimeOfDay now = m_clock.now();
    if (m_state.ClockStarted == 0)
        startAttempt(now);
    else if (m_shownTime == now && m_shownTotal == total)
        return;
    m_shownTime = now;
    m_shownTotal = total;
    const std::u16string text = timeOfDayText(now);
    m_window.setCaption(FormLabel::Label13, text);
    m_window.setDialogCaption(DialogLabel::Label13, text);
    const double elapsed = elapsedSeconds(m_start, timeFields(text));
    m_shownElapsed = elapsed;
    const std::u16string elapsedCaption = elapsedText(elapsed);
    m_window.setCaption(FormLabel::Label3, elapsedCaption);
    m_window.setDialogCaption(DialogLabel::L3, elapsedCaption);
    const std::u16string speed = speedText(total, elapsed);
    const std::string digits = toUtf8(speed);
    std::from_chars(digits.data(), digits.data() + digits.size(), m_shownSpeed);
    m_window.setCaption(FormLabel::Label2, speed);
    m_window.setDialogCaption(DialogLabel::Label2, speed);
}
