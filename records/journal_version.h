#pragma once

#include <string>

// Whether the journal at `path` is of an older version that opening it would
// bring up to date, which can take seconds on a long journal; read without
// taking any lock. False for a journal that is missing, new, up to date, or
// cannot be read now.
bool journalNeedsUpgrade(const std::string& path);
