#include "ui/main_window/clock_timers.h"

#include <QTime>
#include <QTimer>

namespace {

int msUntilNextSecond() {
    return 1001 - QTime::currentTime().msec();
}

QTimer* clockTimer(QObject* owner, const char* name, std::function<void()> tick) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, owner, [timer, tick = std::move(tick)] {
        tick();
        if (timer->isActive())
            timer->start(msUntilNextSecond());
    });
    return timer;
}

void setTicking(QTimer* timer, bool enabled) {
    if (!enabled)
        timer->stop();
    else if (!timer->isActive())
        timer->start(0);
}

} // namespace

ClockTimers::ClockTimers(QObject* owner, std::function<void()> timer1Tick,
                         std::function<void()> timer2Tick)
    : m_timer1(clockTimer(owner, "Timer1", std::move(timer1Tick))),
      m_timer2(clockTimer(owner, "Timer2", std::move(timer2Tick))) {}

void ClockTimers::setTimer1(bool enabled) {
    setTicking(m_timer1, enabled);
}

void ClockTimers::setTimer2(bool enabled) {
    setTicking(m_timer2, enabled);
}
