#include "ui/mistakes/typing_events_log.h"

#include "core/attempt_record.h"
#include "core/utf8.h"

#include <cstdio>

namespace {

std::string lineOf(const TypedEvent& event) {
    switch (event.kind) {
    case TypedEvent::Kind::TakeBack:
        return "back " + std::to_string(event.count);
    case TypedEvent::Kind::LineBreak:
        return "enter";
    case TypedEvent::Kind::Key:
        return "key " + toUtf8(event.text);
    case TypedEvent::Kind::Commit:
        break;
    }
    return "commit " + toUtf8(event.text) + (event.reading ? " " + toUtf8(*event.reading) : "");
}

} // namespace

void TypingEventsLog::lessonLoaded(const LoadedLesson& lesson) {
    m_printed = 0;
    std::fprintf(stderr, "# lesson %s\n", lesson.path.c_str());
}

void TypingEventsLog::recordChanged(const AttemptRecord& record) {
    for (; m_printed < record.events.size(); ++m_printed)
        std::fprintf(stderr, "%s\n", lineOf(record.events[m_printed]).c_str());
    std::fflush(stderr);
}
