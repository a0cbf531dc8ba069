#pragma once

#include <string>

// A WITH clause naming `scored`: every column of the attempts, and the
// figures worked out from them for the statistics and the export.
std::string scoredAttempts();
