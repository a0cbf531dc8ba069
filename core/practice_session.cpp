#include "core/practice_session.h"

#include "core/clock_text.h"
#include "core/common_prefix.h"

#include <algorithm>
#include <cmath>
#include <utility>

PracticeSession::PracticeSession(SessionPorts ports)
    : m_ports(std::move(ports)), m_cues(m_ports.me1, m_ports.programFolder, m_state.SoundOn),
      m_engine(m_state, m_ports.lesson, m_ports.typing, m_ports.window, m_cues, m_codePage,
               m_observers),
      m_loader(m_state, m_ports.lesson, m_ports.typing, m_ports.window, m_ports.player, m_files,
               m_codePage, m_ports.ownLessonsFolder),
      m_clock(m_state, m_ports.window, m_ports.clock) {
    m_ports.mm3.setFileName(m_ports.programFolder + kKeyClickFile);
}

// A running clock shows the speed for the new total at once, not at its next
// tick. An evaluated change always leaves the attempt
// clock running.
void PracticeSession::typedTextChanged(std::u16string typed) {
    const std::size_t keptLength = commonPrefix(m_state.PrevTyped, typed);
    const std::u16string learnerAdded = typed.substr(keptLength);
    // At the end the boxes are emptied: what the last change added up to the
    // lesson's end is what was typed.
    std::u16string whole = m_state.PrevTyped.substr(0, keptLength) + learnerAdded;
    whole.resize(std::min(whole.size(), m_ports.lesson.text().size()));
    const ComparisonEngine::Outcome outcome = m_engine.typedTextChanged(std::move(typed));
    if (outcome == ComparisonEngine::Outcome::NoLesson)
        return;
    const bool completed = outcome == ComparisonEngine::Outcome::Completed;
    recordTyped(completed ? std::move(whole) : m_state.PrevTyped, learnerAdded);
    if (completed) {
        m_record.figures = figures();
        m_observers.completed(*m_record.figures);
        return;
    }
    if (outcome == ComparisonEngine::Outcome::Evaluated && m_state.ClockStarted)
        attemptClockTick();
    if (m_state.CurPos != m_reportedPosition) {
        m_reportedPosition = m_state.CurPos;
        m_observers.positionChanged(m_reportedPosition);
    }
}

void PracticeSession::recordTyped(std::u16string typed, std::u16string_view learnerAdded) {
    // The record's text is canonical already: a character is canonical of itself.
    for (std::size_t p = commonPrefix(m_record.typed, typed); p < typed.size(); ++p)
        typed[p] = m_codePage.canonical(typed[p]);
    m_record.typedNow(std::move(typed), learnerAdded,
                      std::exchange(m_pendingReading, std::nullopt));
    m_record.reached = m_state.CurPos;
    if (m_finder)
        m_finder->findSlips(m_record);
    m_ports.lesson.reveal(m_state.CurPos);
    m_observers.recordChanged(m_record);
}

void PracticeSession::modeShown(PracticeMode mode) {
    m_shownMode = mode;
    m_record.modeNow(mode);
}

void PracticeSession::characterKeyPressed() {
    if (!m_state.KeySoundOn)
        return;
    m_ports.mm3.close();
    m_ports.mm3.open();
    m_ports.mm3.play();
}

void PracticeSession::attemptClockTick() {
    const bool wasRunning = m_state.ClockStarted;
    m_clock.attemptTick(total());
    if (wasRunning)
        return;
    m_record.mode = m_shownMode; // the mode in force at the first key counts
    m_observers.started();
}

void PracticeSession::idleClockTick() {
    m_clock.idleTick();
}

void PracticeSession::loadLesson(std::string_view path) {
    if (const auto lesson = m_loader.load(path))
        beginAttempt(*lesson);
}

void PracticeSession::practiseText(std::u16string text, std::string title) {
    beginAttempt(m_loader.loadText(std::move(text), std::move(title)));
}

void PracticeSession::beginAttempt(const LoadedLesson& lesson) {
    m_reportedPosition = 0;
    // The learner sees where to start before typing anything.
    m_ports.lesson.select(0, 1);
    m_ports.lesson.setSelectionUnderline(true);
    m_record.begin(lesson, m_shownMode);
    m_pendingReading.reset();
    if (m_finder)
        m_finder->lessonLoaded(lesson);
    m_observers.lessonLoaded(lesson);
}

void PracticeSession::giveUpAttempt() {
    if (m_ports.lesson.text().empty() ||
        !m_ports.window.askYesNo(u"你要放弃当前的练习吗？", u"提示"))
        return;
    endAttempt(m_ports.window, m_ports.lesson, m_ports.typing);
    m_ports.window.showDialogModal();
    m_record.figures = figures();
    m_observers.gaveUp(*m_record.figures);
}

void PracticeSession::toggleSound() {
    m_state.SoundOn = !m_state.SoundOn;
    m_ports.window.showSwitch(MenuItem::Se, m_state.SoundOn);
}

void PracticeSession::toggleKeySound() {
    m_state.KeySoundOn = !m_state.KeySoundOn;
    m_ports.window.showSwitch(MenuItem::Key, m_state.KeySoundOn);
}

void PracticeSession::toggleBackgroundMusic() {
    if (m_musicOn) {
        m_ports.me2.close();
        m_musicOn = false;
        m_ports.window.showSwitch(MenuItem::Music, false);
        return;
    }
    const auto file = m_ports.window.chooseMusicFile();
    if (!file)
        return;
    m_ports.me2.close();
    m_ports.me2.setFileName(*file);
    m_ports.me2.open();
    m_ports.me2.play();
}

void PracticeSession::musicStarted() {
    m_musicOn = true;
    m_ports.window.showSwitch(MenuItem::Music, true);
}

// The figures as the read-outs last showed them; no time before the clock started.
AttemptFigures PracticeSession::figures() const {
    AttemptFigures shown{.total = total(),
                         .right = m_state.RightCount - m_state.LineBreakCount,
                         .wrong = m_state.WrongCount};
    if (m_state.ClockStarted) {
        shown.elapsedSeconds = static_cast<Pos>(std::trunc(m_clock.shownElapsed()));
        shown.speed = m_clock.shownSpeed();
        shown.startedAt = m_clock.startedAt();
        shown.finishedAt = m_clock.shownAt();
    }
    return shown;
}
