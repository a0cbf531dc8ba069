#pragma once

#include <QString>

// Why the history file could not be written, in words for the learner, from
// the system's error number of the failed call (0: a write that stopped short).
QString saveFailureReason(int error, const QString& fileName);
