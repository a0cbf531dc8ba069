#include "core/attempt_observers.h"

void AttemptObservers::lessonLoaded(const LoadedLesson& lesson) {
    for (AttemptObserver* observer : m_observers)
        observer->lessonLoaded(lesson);
}

void AttemptObservers::started() {
    for (AttemptObserver* observer : m_observers)
        observer->started();
}

void AttemptObservers::evaluated(Pos position, char16_t expected, char16_t typed, bool right) {
    for (AttemptObserver* observer : m_observers)
        observer->evaluated(position, expected, typed, right);
}

void AttemptObservers::takenBack(Pos position) {
    for (AttemptObserver* observer : m_observers)
        observer->takenBack(position);
}

void AttemptObservers::lineBreak(Pos position) {
    for (AttemptObserver* observer : m_observers)
        observer->lineBreak(position);
}

void AttemptObservers::positionChanged(Pos position) {
    for (AttemptObserver* observer : m_observers)
        observer->positionChanged(position);
}

void AttemptObservers::completed(const AttemptFigures& figures) {
    for (AttemptObserver* observer : m_observers)
        observer->completed(figures);
}

void AttemptObservers::gaveUp(const AttemptFigures& figures) {
    for (AttemptObserver* observer : m_observers)
        observer->gaveUp(figures);
}

void AttemptObservers::recordChanged(const AttemptRecord& record) {
    for (AttemptObserver* observer : m_observers)
        observer->recordChanged(record);
}
