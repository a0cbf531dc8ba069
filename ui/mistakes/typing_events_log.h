#pragma once

#include "core/attempt_observer.h"

#include <cstddef>

// Writes every typing event of the attempts to standard error as it happens,
// one line each in the form `orvanta-lesson slips` replays (commit TEXT
// [READING], key C, back N, enter): a session typed with a real input method
// becomes a case to replay. Attached when ORVANTA_PRINT_EVENTS is set.
class TypingEventsLog final : public AttemptObserver {
  public:
    void lessonLoaded(const LoadedLesson& lesson) override;
    void recordChanged(const AttemptRecord& record) override;

  private:
    std::size_t m_printed = 0;
};
