#pragma once

#include "core/attempt_clock.h"
#include "core/attempt_observers.h"
#include "core/attempt_record.h"
#include "core/attempt_state.h"
#include "core/code_page.h"
#include "core/comparison_engine.h"
#include "core/cue_sounds.h"
#include "core/lesson_loader.h"
#include "core/local_files.h"
#include "core/ports.h"
#include "core/slip_finder.h"

#include <string>
#include <string_view>

// What a practice session drives: the two boxes, the window's read-outs, the
// three wave players (`Me1` cues, `Me2` background music, `MM3` key click), the
// recording player, the clock, the program folder (no trailing separator) and
// the folder of the learner's own lessons, which are named by their titles.
struct SessionPorts {
    LessonBox& lesson;
    TypingBox& typing;
    PracticeWindow& window;
    CuePlayer& me1;
    CuePlayer& me2;
    CuePlayer& mm3;
    MediaPlayer& player;
    const Clock& clock;
    std::string programFolder;
    std::string ownLessonsFolder;
};

// One practice session of the main window: the attempt state, the comparison
// engine, the lesson loader, the attempt clock, the cue sounds and the sound,
// key-sound and background-music switches. The window passes its events in as
// commands; everything visible goes back out through the ports, and every
// step of an attempt is reported to the observers.
class PracticeSession {
  public:
    explicit PracticeSession(SessionPorts ports);
    PracticeSession(const PracticeSession&) = delete;
    PracticeSession& operator=(const PracticeSession&) = delete;

    // The observer follows every attempt from now on; the session does not own it.
    void addObserver(AttemptObserver& observer) { m_observers.add(observer); }
    // Finds the slips of every attempt from now on, before the observers hear
    // of a change; the session does not own it.
    void setSlipFinder(SlipFinder& finder) { m_finder = &finder; }

    // The input method showed `kana` before its next commit: the reading of
    // what the next change adds.
    void inputMethodReading(std::u16string kana) { m_pendingReading = std::move(kana); }
    // The lesson is shown in `mode` from now on.
    void modeShown(PracticeMode mode);

    // The learner changed the typed text (`R2`); `typed` is what the typing box now holds.
    void typedTextChanged(std::u16string typed);
    // A key that produces a character was pressed in the typing box.
    void characterKeyPressed();
    // A tick of the attempt clock (`Timer1`) and of the idle clock (`Timer2`).
    void attemptClockTick();
    void idleClockTick();
    // Observers hear of every fresh attempt with its lesson, also when the file
    // could not be read; nothing when the learner keeps the running attempt.
    void loadLesson(std::string_view path);
    // A fresh attempt on a text that is no file, titled `title`.
    void practiseText(std::u16string text, std::string title);
    // Gives the running attempt up after a question and shows its figures (`Sav`).
    void giveUpAttempt();
    // The cue sounds (`Se`) and the key click (`Key`) on or off.
    void toggleSound();
    void toggleKeySound();
    // Plays a chosen wave file on `Me2` until turned off (`Music`).
    void toggleBackgroundMusic();
    // The chosen music file has loaded and plays: only now can it be turned off.
    void musicStarted();

    const AttemptState& state() const { return m_state; }
    const AttemptRecord& record() const { return m_record; }

  private:
    AttemptFigures figures() const;
    Pos total() const { return m_state.CurPos - m_state.LineBreakCount; }
    void recordTyped(std::u16string typed, std::u16string_view learnerAdded);
    void beginAttempt(const LoadedLesson& lesson);

    SessionPorts m_ports;
    AttemptState m_state;
    CodePage m_codePage;
    LocalFiles m_files;
    AttemptObservers m_observers;
    CueSounds m_cues;
    ComparisonEngine m_engine;
    LessonLoader m_loader;
    AttemptClock m_clock;
    bool m_musicOn = false;
    Pos m_reportedPosition = 0; // the position the observers last heard of
    AttemptRecord m_record;
    SlipFinder* m_finder = nullptr;
    std::optional<std::u16string> m_pendingReading;
    PracticeMode m_shownMode = PracticeMode::Text;
};
