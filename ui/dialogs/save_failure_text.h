#pragma once

#include "core/regular_file.h"

#include <QString>

// Why the history file could not be written, in words for the learner.
QString saveFailureReason(FileProblem problem, const QString& fileName);
