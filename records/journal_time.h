#pragma once

#include "core/ports.h"

#include <ctime>
#include <string>

// Local times as the journal writes them.

// ISO 8601 with the date and the UTC offset: 2026-03-02T09:05:03+08:00.
std::string isoLocalTime(WallTime moment);

// For file names: 20260302-090503.
std::string compactLocalTime(std::time_t time);
