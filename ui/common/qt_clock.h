#pragma once

#include "core/ports.h"

#include <QTime>

// The time of day from the system clock.
class QtClock final : public Clock {
  public:
    TimeOfDay now() const override {
        const QTime t = QTime::currentTime();
        return TimeOfDay{t.hour(), t.minute(), t.second()};
    }
};
