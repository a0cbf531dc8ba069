#pragma once

#include "core/code_page.h"
#include "core/ports.h"
#include "readings/loaded_readings.h"
#include "readings/mecab_analyser.h"
#include "records/history_file.h"
#include "ui/common/desktop_shell.h"
#include "ui/common/prompts.h"
#include "ui/sound/background_music.h"
#include "ui/sound/sound_bank.h"

#include <memory>
#include <string>

// Everything the main window uses from outside, owned by the window: the three
// wave-sound players and the effects they play, the pre-answerable dialogs,
// the desktop shell, the clock and the history file. `ui/program.h` makes the
// program's own; a test may replace the players and the clock.
struct MainWindowServices {
    std::string programFolder;    // no trailing separator
    std::string ownLessonsFolder; // the learner's own lessons, named by their titles
    std::unique_ptr<SoundBank> sounds;
    std::unique_ptr<CuePlayer> me1;
    std::unique_ptr<BackgroundMusic> me2; // a sound of its own, so that no cue cuts it off
    std::unique_ptr<CuePlayer> mm3;
    std::unique_ptr<Prompts> prompts;
    std::unique_ptr<DesktopShell> shell;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<CodePage> codePage; // the history's
    std::unique_ptr<HistoryFile> history;
    std::string readingsDictionary; // MeCab dictionary folder; empty: the installed one
    // One analyser on that dictionary for every feature, and the loaded
    // lesson's readings it works out once per lesson for all of them.
    std::unique_ptr<MecabAnalyser> analyser;
    std::unique_ptr<LoadedReadings> lessonReadings;
};
