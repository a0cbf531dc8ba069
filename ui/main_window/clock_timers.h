#pragma once

#include <QObject>
#include <functional>

class QTimer;

// `Timer1` (the attempt clock) and `Timer2` (the idle clock). The clock
// read-outs change only when the second of the time of day changes, so both
// tick just after each whole second rather than every few milliseconds: no
// visible delay, and an idle window stays asleep. A timer turned on ticks at once.
class ClockTimers {
  public:
    ClockTimers(QObject* owner, std::function<void()> timer1Tick, std::function<void()> timer2Tick);

    void setTimer1(bool enabled);
    void setTimer2(bool enabled);

  private:
    QTimer* m_timer1;
    QTimer* m_timer2;
};
