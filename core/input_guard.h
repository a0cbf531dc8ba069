#pragma once

#include "core/ports.h"

// The typing box keeps its selection to at most one character, so that the
// learner can only change the typed text at its end or overtype one character.
inline bool selectionTooLong(Pos selectionLength) {
    return selectionLength > 1;
}
