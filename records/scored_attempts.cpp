#include "records/scored_attempts.h"

#include "records/journal_statistics.h"

// Accuracy and first-try accuracy in percent, 0 for an empty attempt. The
// lesson characters of every slip, corrected or not, missed their first try
// (one for an extra input). `counts`: the attempt may set a best figure.
std::string scoredAttempts() {
    return "WITH scored AS (SELECT *,"
           " CASE WHEN total > 0 THEN 100.0 * \"right\" / total ELSE 0 END AS accuracy,"
           " CASE WHEN total > 0 THEN 100.0 * MAX(total - (SELECT TOTAL(MAX(length(expected), 1))"
           " FROM mistakes WHERE attempt_id = attempts.id), 0) / total ELSE 0 END AS first_try,"
           " completed AND total >= " +
           std::to_string(kCountedCharacters) + " AS counts FROM attempts)";
}
