#pragma once

#include "explain/commit_mistakes.h"

#include <QStringList>

// What the hint row says about a slip: what was expected, what was typed and
// the kind, and how to take it back; then shorter forms for a narrow row,
// down to the expected word and the kind.
QStringList slipHint(const Slip& slip);

// Said once per attempt, for the first Chinese form: the input method is the
// Chinese one. Shorter forms follow, as for a slip.
QStringList chineseInputHint(const Slip& slip);
