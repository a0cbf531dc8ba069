#pragma once

#include "core/ports.h"

// The system clock.
class SystemClock final : public Clock {
  public:
    WallTime now() const override { return std::chrono::system_clock::now(); }
};
