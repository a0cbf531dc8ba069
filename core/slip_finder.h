#pragma once

#include "core/attempt_record.h"

// Finds the slips of an attempt by aligning what was typed to the lesson. The
// practice session asks it after every change, before any feature hears of
// the change.
class SlipFinder {
  public:
    virtual ~SlipFinder() = default;
    // A fresh attempt on `lesson` begins: whatever is worked out per lesson is
    // worked out now, not at a key.
    virtual void lessonLoaded(const LoadedLesson& lesson) = 0;
    // Sets the record's slips and the lesson position its typed text reached.
    virtual void findSlips(AttemptRecord& record) = 0;
};
