#include "records/attempt_recorder.h"

#include "records/journal_time.h"

namespace {

constexpr size_t kReservedMistakes = 1024;

} // namespace

bool openJournal(Journal& journal, RecorderListener& listener) {
    if (journal.isOpen())
        return true;
    const Journal::Opening opening = journal.open();
    if (opening.movedAsideTo)
        listener.journalMovedAside(*opening.movedAsideTo);
    if (opening.error)
        listener.journalFailed(*opening.error);
    return journal.isOpen();
}

AttemptRecorder::AttemptRecorder(Journal& journal, RecorderListener& listener)
    : m_journal(journal), m_listener(listener) {
    m_mistakes.reserve(kReservedMistakes);
}

void AttemptRecorder::lessonLoaded(const LoadedLesson& lesson) {
    if (!m_drillPath.empty() && lesson.path == m_drillPath)
        m_lesson = JournalLesson{std::string(kDrillLesson), std::string(kDrillLesson)};
    else
        m_lesson = journalLessonFor(lesson);
    m_startedAt.reset();
    m_mistakes.clear();
    m_uncorrected.clear();
}

void AttemptRecorder::started() {
    m_startedAt = std::time(nullptr);
}

// A wrong evaluation stays a mistake even when the learner takes it back and
// types the character right afterwards; then it counts as corrected.
void AttemptRecorder::evaluated(Pos position, char16_t expected, char16_t typed, bool right) {
    if (!m_lesson)
        return;
    if (right) {
        if (!m_uncorrected.empty())
            markCorrected(position);
        return;
    }
    m_mistakes.emplace_back(position, expected, typed);
    if (m_explainer)
        m_explainer->explain(m_mistakes.back());
    m_uncorrected[position].push_back(m_mistakes.size() - 1);
}

void AttemptRecorder::markCorrected(Pos position) {
    const auto found = m_uncorrected.find(position);
    if (found == m_uncorrected.end())
        return;
    for (const size_t index : found->second)
        m_mistakes[index].corrected = true;
    m_uncorrected.erase(found);
}

void AttemptRecorder::completed(const AttemptFigures& figures) {
    finish(figures, true);
}

void AttemptRecorder::gaveUp(const AttemptFigures& figures) {
    finish(figures, false);
}

void AttemptRecorder::finish(const AttemptFigures& figures, bool completed) {
    if (!m_lesson)
        return;
    const std::time_t endedAt = std::time(nullptr);
    const JournalAttempt attempt{
        m_lesson->lesson,      m_lesson->title, isoLocalTime(m_startedAt.value_or(endedAt)),
        isoLocalTime(endedAt), figures,         completed};
    m_lesson.reset();
    if (!openJournal(m_journal, m_listener))
        return;
    const Journal::Written written = m_journal.record(attempt, m_mistakes);
    if (written.error)
        m_listener.journalFailed(*written.error);
    else
        m_listener.attemptRecorded(written.id, attempt);
}
