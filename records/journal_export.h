#pragma once

#include "records/journal.h"

#include <optional>
#include <string>

// Writes the journal's attempts and mistakes as two CSV files (UTF-8 with a
// byte order mark, a header line, RFC 4180 quoting) for a teacher's
// spreadsheet. Each file is written beside its target and renamed into place,
// so a failure leaves no half file. The reason when it fails.
std::optional<std::string> exportCsv(const Journal& journal, const std::string& attemptsPath,
                                     const std::string& mistakesPath);
