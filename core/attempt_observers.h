#pragma once

#include "core/attempt_observer.h"

#include <vector>

// The observers of one attempt, itself an observer that passes every call on to
// each of them in the order they were added. It owns none of them.
class AttemptObservers final : public AttemptObserver {
  public:
    void add(AttemptObserver& observer) { m_observers.push_back(&observer); }

    void lessonLoaded(const LoadedLesson& lesson) override;
    void started() override;
    void evaluated(Pos position, char16_t expected, char16_t typed, bool right) override;
    void takenBack(Pos position) override;
    void lineBreak(Pos position) override;
    void positionChanged(Pos position) override;
    void recordChanged(const AttemptRecord& record) override;
    void completed(const AttemptFigures& figures) override;
    void gaveUp(const AttemptFigures& figures) override;

  private:
    std::vector<AttemptObserver*> m_observers;
};
