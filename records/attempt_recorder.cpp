#include "records/attempt_recorder.h"

#include "core/attempt_record.h"
#include "records/journal_time.h"

namespace {

std::vector<JournalMistake> mistakesOf(const Slips& slips) {
    std::vector<JournalMistake> mistakes;
    mistakes.reserve(slips.size());
    for (const Slip& slip : slips)
        mistakes.push_back({slip.start, slip.expected, slip.typed,
                            MistakeNote{kindName(slip.explanation.kind), slip.explanation.detail},
                            slip.preedit, slip.corrected, slip.line});
    return mistakes;
}

} // namespace

JournalOpening openJournal(Journal& journal, RecorderListener& listener) {
    if (journal.isOpen())
        return JournalOpening::Open;
    const Journal::Opening opening = journal.open();
    if (opening.movedAsideTo)
        listener.journalMovedAside(*opening.movedAsideTo);
    if (opening.busy) {
        listener.journalBusy();
        return JournalOpening::Busy;
    }
    if (opening.error) {
        listener.journalFailed(*opening.error);
        return JournalOpening::Failed;
    }
    return JournalOpening::Open;
}

AttemptRecorder::AttemptRecorder(Journal& journal, RecorderListener& listener)
    : m_journal(journal), m_listener(listener), m_waiting(takeWaitingAttempts(journal.path())) {}

void AttemptRecorder::keepWhatWaits() {
    if (keepWaitingAttempts(m_journal.path(), m_waiting))
        m_listener.journalFailed("无法把等待写入的练习保存在练习日志旁边");
    m_waiting.clear();
}

void AttemptRecorder::lessonLoaded(const LoadedLesson& lesson) {
    const auto named = m_named.find(lesson.path);
    m_lesson = named != m_named.end() ? named->second : journalLessonFor(lesson);
    m_record = nullptr;
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
    // The times the save dialog shows; an attempt without a clock tick has none.
    const WallTime now = std::chrono::system_clock::now();
    Waiting& ended = m_waiting.emplace_back();
    ended.attempt = {m_lesson->lesson,
                     m_lesson->title,
                     isoLocalTime(figures.startedAt.value_or(now)),
                     isoLocalTime(figures.finishedAt.value_or(now)),
                     figures,
                     completed,
                     m_record ? m_record->mode : PracticeMode::Text,
                     m_record ? m_record->shiftedCharacters() : 0};
    if (m_record)
        ended.mistakes = mistakesOf(m_record->slips);
    m_lesson.reset();
    m_lastWaits = true;
    m_lastId = 0;
    writeWaiting();
}

void AttemptRecorder::nameLastAttempt(std::string name) {
    if (m_lastWaits) {
        m_waiting.back().name = std::move(name); // written with the attempt
        return;
    }
    if (m_lastId == 0)
        return; // it is not in the journal
    Waiting& renamed = m_waiting.emplace_back();
    renamed.name = std::move(name);
    renamed.id = m_lastId;
    writeWaiting();
}

void AttemptRecorder::unnameLastAttempt() {
    if (m_lastWaits) {
        m_waiting.back().name.reset();
    } else if (!m_waiting.empty() && m_waiting.back().id == m_lastId && m_lastId != 0) {
        m_waiting.pop_back(); // the name alone, not written yet
    } else if (m_lastId != 0) {
        const Journal::Written unnamed = m_journal.clearName(m_lastId);
        if (unnamed.error && !unnamed.busy)
            m_listener.journalFailed(*unnamed.error);
    }
}

bool AttemptRecorder::writeWaiting() {
    if (m_waiting.empty())
        return true;
    const JournalOpening opening = openJournal(m_journal, m_listener);
    if (opening == JournalOpening::Failed) {
        m_waiting.clear();
        m_lastWaits = false;
    }
    if (opening != JournalOpening::Open)
        return m_waiting.empty();
    while (!m_waiting.empty()) {
        if (!write(m_waiting.front())) {
            m_listener.journalBusy();
            return false;
        }
        m_waiting.pop_front();
    }
    return true;
}

bool AttemptRecorder::write(Waiting& waiting) {
    const bool last = m_lastWaits && m_waiting.size() == 1;
    if (waiting.id == 0) {
        const Journal::Written written = m_journal.record(waiting.attempt, waiting.mistakes);
        if (written.busy)
            return false;
        if (last)
            m_lastWaits = false;
        if (written.error) {
            m_listener.journalFailed(*written.error);
            return true;
        }
        waiting.id = written.id;
        if (last)
            m_lastId = written.id;
        m_listener.attemptRecorded(written.id, waiting.attempt);
    }
    if (!waiting.name)
        return true;
    const Journal::Written named = m_journal.setName(waiting.id, *waiting.name);
    if (named.error && !named.busy)
        m_listener.journalFailed(*named.error);
    return !named.busy;
}
