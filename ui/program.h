#pragma once

#include "core/user_data_folder.h"
#include "ui/learners/learner_start.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>

class AttemptObserver;
class ClassFolderHook;
class Form1;
class DayClock;
class JournalHook;
class MasteryHook;
class MistakeHints;
class ReviewHook;
struct MainWindowServices;

// The program's own services for a program folder: wave players on preloaded
// cue effects, the background music on a sound of its own, the dialogs, the desktop
// shell, the system clock and the history file.
MainWindowServices programServices(const QString& programFolder);

// Installs the translations and the font substitutions and makes the main
// window, which takes the services, with the features that need no place of
// their own (the reading help), centred on its screen and ready to show.
std::unique_ptr<Form1> makeMainWindow(MainWindowServices services);

// Who practises in a run of the window, where their data lives and the class
// folder they publish into (empty: none).
struct ProgramRun {
    std::string dataFolder = userDataFolder();
    LearnerAtKeyboard learner{{"1", kFirstLearnerName}, false};
    QString classFolder;
};

// The code the window's run ends with when another learner takes over: the
// program then starts the window again for the learner the roster names last.
inline constexpr int kLearnerSwitched = 75;

// The program as it starts: its own services, the main window that owns them
// and every feature, the learner's practice journal among them.
std::unique_ptr<Form1> makeMainWindow(const QString& programFolder, const ProgramRun& run = {});

// The practice journal at `journalPath`, owned by the window; with the
// mistakes explained, its mistakes carry their kind and 本次练习的错误 reads it.
JournalHook& attachJournal(Form1& window, const std::string& journalPath,
                           MistakeHints* mistakes = nullptr);

// Mistakes explained on the hint row as they are made, owned by the window.
MistakeHints& attachMistakes(Form1& window);

// 今日复习 beside the journal, owned by the window; `clock` tells today.
ReviewHook& attachReview(Form1& window, JournalHook& journal, std::unique_ptr<DayClock> clock);

// 掌握情况 in the journal's statistics window, owned by the window; its practice
// switches to 看读音写汉字 through `chooseRecall`, which says false while that
// mode is unavailable, and makes no cards of `review` of its own. The course's
// kanji come from the program folder.
MasteryHook& attachMastery(Form1& window, JournalHook& journal, ReviewHook& review,
                           std::function<bool()> chooseRecall, std::unique_ptr<DayClock> clock);

// 设置 → 学习者 for the learner of `run`; their name offered when a score is saved.
void attachLearners(Form1& window, const ProgramRun& run);

// 设置 → 班级文件夹 and 记录 → 班级报告: the learner's progress published into
// the class folder of `run` after each journalled attempt, and the class report.
ClassFolderHook& attachClassroom(Form1& window, JournalHook& journal, const ProgramRun& run);

// Every practice attempt in the window is reported to the observer from now on.
void observeAttempts(Form1& window, AttemptObserver& observer);

// The first learner's journal: $XDG_DATA_HOME/orvanta/journal.sqlite3 (a relative
// XDG_DATA_HOME is ignored).
std::string defaultJournalPath();
