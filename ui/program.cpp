#include "ui/program.h"

#include "classroom/class_plan.h"
#include "core/cue_sounds.h"
#include "core/own_lessons.h"
#include "core/practice_session.h"
#include "core/user_data_folder.h"
#include "records/history_place.h"
#include "ui/classroom/assign_lessons.h"
#include "ui/classroom/class_folder_hook.h"
#include "ui/classroom/class_lessons_menu.h"
#include "ui/classroom/class_report_window.h"
#include "ui/common/font_faces.h"
#include "ui/common/system_clock.h"
#include "ui/common/translations.h"
#include "ui/common/window_place.h"
#include "ui/dialogs/score_keeper.h"
#include "ui/dictation/dictation_mode.h"
#include "ui/journal/journal_hook.h"
#include "ui/journal/mastery_hook.h"
#include "ui/learners/learners_menu.h"
#include "ui/main_window/form1.h"
#include "ui/main_window/lesson_box.h"
#include "ui/main_window/main_menu.h"
#include "ui/main_window/main_window_services.h"
#include "ui/main_window/typing_box.h"
#include "ui/mistakes/lesson_slips.h"
#include "ui/mistakes/mistake_hints.h"
#include "ui/mistakes/typing_events_log.h"
#include "ui/own_lessons/own_lessons_menu.h"
#include "ui/readings/reading_help.h"
#include "ui/recall/recall_mode.h"
#include "ui/review/qt_day_clock.h"
#include "ui/review/review_hook.h"
#include "ui/sound/wave_player.h"

#include <QCoreApplication>
#include <QDate>
#include <QMenu>
#include <QScreen>

namespace {

void preloadCues(SoundBank& sounds, const std::string& programFolder) {
    for (Cue cue : kAllCues)
        sounds.preload(QString::fromStdString(programFolder + cueFileName(cue)));
    sounds.preload(QString::fromStdString(programFolder + kKeyClickFile));
}

// All owned by the lesson box; the practice modes show the readings through
// the reading help, and dictation joins their menu.
RecallMode& attachReadingHelp(Form1& window) {
    const MainWindowParts parts = window.parts();
    auto* readings = new ReadingHelp(parts.lessonBox, *parts.menu.Yomi, parts.hints,
                                     *parts.services.analyser, *parts.services.lessonReadings);
    observeAttempts(window, *readings);
    auto* recall = new RecallMode(*parts.menu.Set, parts.lessonBox, *readings, parts.session);
    observeAttempts(window, *recall);
    observeAttempts(window,
                    *new DictationMode(recall->modeMenu(), recall->modeGroup(), recall->textItem(),
                                       parts.lessonBox, parts.recordingPlayer, parts.session));
    return *recall;
}

// Owned by the window, like the editors it opens.
void attachOwnLessons(Form1& window) {
    const MainWindowParts parts = window.parts();
    QMenu* menu = addSubmenu(parts.menu.Lesson, "OwnLessons", QStringLiteral("我的课文(&M)"),
                             parts.menu.Openfile);
    observeAttempts(window,
                    *new OwnLessonsMenu(*menu, parts.window, parts.session, parts.lessonBox,
                                        *parts.services.prompts, parts.services.ownLessonsFolder));
}

} // namespace

MainWindowServices programServices(const QString& programFolder) {
    MainWindowServices services;
    services.programFolder = programFolder.toStdString();
    services.ownLessonsFolder = ownLessonsFolder();
    services.sounds = std::make_unique<SoundBank>();
    preloadCues(*services.sounds, services.programFolder);
    services.me1 = std::make_unique<WavePlayer>(*services.sounds);
    services.me2 = std::make_unique<BackgroundMusic>();
    services.mm3 = std::make_unique<WavePlayer>(*services.sounds);
    services.prompts = std::make_unique<Prompts>();
    services.shell = std::make_unique<DesktopShell>();
    services.clock = std::make_unique<SystemClock>();
    services.codePage = std::make_unique<CodePage>();
    services.history =
        std::make_unique<HistoryFile>(historyFilePath(services.programFolder), *services.codePage);
    return services;
}

namespace {

struct MadeWindow {
    std::unique_ptr<Form1> window;
    RecallMode& recall;
};

MadeWindow makeWindow(MainWindowServices services) {
    installTranslations();
    installFontSubstitutions();
    // Made here, after a test may have named its dictionary.
    services.analyser = std::make_unique<MecabAnalyser>(services.readingsDictionary);
    services.lessonReadings = std::make_unique<LoadedReadings>(*services.analyser);
    LoadedReadings& readings = *services.lessonReadings;
    auto window = std::make_unique<Form1>(std::move(services));
    window->parts().session.setSlipFinder((new LessonSlips(*window, readings))->book());
    RecallMode& recall = attachReadingHelp(*window);
    attachOwnLessons(*window);
    centreOn(*window, window->screen()->availableGeometry());
    return {std::move(window), recall};
}

} // namespace

std::unique_ptr<Form1> makeMainWindow(MainWindowServices services) {
    return makeWindow(std::move(services)).window;
}

std::unique_ptr<Form1> makeMainWindow(const QString& programFolder, const ProgramRun& run) {
    useLearnerSettings(run.learner.learner);
    MadeWindow made = makeWindow(programServices(programFolder));
    Form1& window = *made.window;
    JournalHook& journal =
        attachJournal(window, learnerJournalPath(run.dataFolder, run.learner.learner.id),
                      &attachMistakes(window));
    ReviewHook& review = attachReview(window, journal, std::make_unique<QtDayClock>());
    MasteryHook& mastery = attachMastery(
        window, journal, review, [&recall = made.recall] { return recall.chooseRecall(); },
        std::make_unique<QtDayClock>());
    if (qEnvironmentVariableIsSet("ORVANTA_PRINT_EVENTS"))
        observeAttempts(window, *new TypingEventsLog); // lives as long as the program
    attachLearners(window, run);
    const ClassFolderHook& classFolder = attachClassroom(window, journal, run);
    mastery.showAlso(
        [&classFolder] { return classLessonFiles(classFolder.folder().toStdString()); });
    return std::move(made.window);
}

JournalHook& attachJournal(Form1& window, const std::string& journalPath, MistakeHints* mistakes) {
    const MainWindowParts parts = window.parts();
    auto* hook = new JournalHook(parts.window, parts.session, *parts.menu.Again, *parts.menu.Stats,
                                 parts.scores, *parts.services.prompts, journalPath, mistakes);
    observeAttempts(window, hook->observer());
    if (mistakes)
        mistakes->reviewWith(*parts.menu.Mistakes,
                             [hook]() -> const Journal& { return hook->journal(); });
    return *hook;
}

ReviewHook& attachReview(Form1& window, JournalHook& journal, std::unique_ptr<DayClock> clock) {
    const MainWindowParts parts = window.parts();
    QMenu* lessons = parts.menu.Lesson;
    const QList<QAction*> items = lessons->actions();
    const qsizetype again = items.indexOf(parts.menu.Again);
    QAction* item =
        addMenuItem(lessons, "Review", QStringLiteral("今日复习(&V)"), QKeySequence(Qt::Key_F6),
                    again + 1 < items.size() ? items[again + 1] : nullptr);
    lessons->setToolTipsVisible(true); // the next due date while nothing is due
    auto* hook = new ReviewHook(parts.window, parts.session, *item, parts.hints, journal,
                                *parts.services.prompts, std::move(clock),
                                parts.services.programFolder, *parts.services.lessonReadings);
    observeAttempts(window, hook->observer());
    observeAttempts(window, hook->menuObserver());
    QObject::connect(&journal, &JournalHook::statisticsWindowMade, hook, &ReviewHook::addPage);
    QObject::connect(&journal, &JournalHook::opened, hook, &ReviewHook::makeCardsFromHistory);
    return *hook;
}

MasteryHook& attachMastery(Form1& window, JournalHook& journal, ReviewHook& review,
                           std::function<bool()> chooseRecall, std::unique_ptr<DayClock> clock) {
    const MainWindowParts parts = window.parts();
    auto* hook = new MasteryHook(parts.window, parts.session, journal, *parts.services.prompts,
                                 std::move(chooseRecall), parts.services.programFolder,
                                 parts.services.ownLessonsFolder, *parts.services.analyser,
                                 std::move(clock));
    review.leaveUnrated(hook->practicePath());
    return *hook;
}

MistakeHints& attachMistakes(Form1& window) {
    const MainWindowParts parts = window.parts();
    auto* hints = new MistakeHints(parts.typingBox, parts.lessonBox, parts.hints,
                                   parts.services.programFolder, *parts.services.analyser);
    observeAttempts(window, *hints);
    QObject::connect(&parts.scores, &ScoreKeeper::scoreSaved, hints, &MistakeHints::scoreSaved);
    return *hints;
}

ClassFolderHook& attachClassroom(Form1& window, JournalHook& journal, const ProgramRun& run) {
    const MainWindowParts parts = window.parts();
    QAction* item = addMenuItem(parts.menu.Set, "ClassFolder", QStringLiteral("班级文件夹(&C)..."));
    auto* folder =
        new ClassFolderHook(parts.window, *item, parts.hints, *parts.services.prompts,
                            journal.journal().path(), run.learner.learner, run.classFolder);
    QObject::connect(&journal, &JournalHook::attemptJournalled, folder,
                     &ClassFolderHook::publishSoon);
    QAction* report =
        addMenuItem(parts.menu.Score, "ClassReport", QStringLiteral("班级报告(&C)..."));
    QObject::connect(
        report, &QAction::triggered, folder,
        [folder, &owner = parts.window, &prompts = *parts.services.prompts,
         &lessonBox = parts.lessonBox] {
            if (folder->folder().isEmpty())
                folder->ClassFolder_Click();
            if (folder->folder().isEmpty())
                return;
            auto* window = new ClassReportWindow(folder->folder(), prompts, &owner);
            window->setAttribute(Qt::WA_DeleteOnClose);
            window->setAssignAction([window, &prompts, &lessonBox] {
                auto* assign =
                    new AssignLessons(window->folder(), prompts, lessonBox.font(), window);
                assign->setAttribute(Qt::WA_DeleteOnClose);
                QObject::connect(assign, &QDialog::accepted, window, &ClassReportWindow::refresh);
                assign->open();
            });
            window->show();
        });
    QMenu* lessons = addSubmenu(parts.menu.Lesson, "ClassLessons", QStringLiteral("班级课文(&B)"),
                                parts.menu.Openfile);
    new ClassLessonsMenu(
        *lessons, parts.session, parts.hints,
        [&journal]() -> const Journal& { return journal.journal(); },
        [folder] { return folder->folder(); }, QDate::currentDate());
    return *folder;
}

void observeAttempts(Form1& window, AttemptObserver& observer) {
    window.parts().session.addObserver(observer);
}

void attachLearners(Form1& window, const ProgramRun& run) {
    const MainWindowParts parts = window.parts();
    const LearnerAtKeyboard& at = run.learner;
    parts.scores.offerName(at.chosen ? QString::fromStdString(at.learner.name) : QString());
    QMenu* menu = addSubmenu(parts.menu.Set, "Learners", QStringLiteral("学习者(&L)"));
    auto* learners =
        new LearnersMenu(*menu, parts.window, *parts.services.prompts, run.dataFolder, at.learner,
                         [](const std::string&) { QCoreApplication::exit(kLearnerSwitched); });
    if (at.chosen)
        QObject::connect(learners, &LearnersMenu::renamed, &parts.scores, &ScoreKeeper::offerName);
}

std::string defaultJournalPath() {
    return userDataFolder() + "/orvanta/journal.sqlite3";
}
