#pragma once

#include "explain/commit_mistakes.h"

#include <QString>

// What the hint row says about a slip: what was expected, what was typed and
// the kind, and how to take it back.
QString slipHint(const Slip& slip);

// Said once per attempt, for the first Chinese form: the input method is the
// Chinese one.
QString chineseInputHint(const Slip& slip);
