#include "core/start_options.h"
#include "ui/common/settings_file.h"
#include "ui/learners/learner_chooser.h"
#include "ui/main_window/form1.h"
#include "ui/program.h"
#include "ui/user_settings.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {

// A folder named on the command line keeps meaning the folder it named where
// it was typed, whatever the program's working folder becomes.
QString absoluteFolder(const std::string& folder) {
    return QDir(QString::fromLocal8Bit(folder.c_str())).absolutePath();
}

// The learner the roster names as the one who took over last.
LearnerAtKeyboard learnerWhoTookOver(const std::string& dataFolder) {
    const LearnerRoster roster = LearnerRoster::load(learnerRosterFile(dataFolder));
    const Learner* last = roster.last();
    return last ? LearnerAtKeyboard{*last, true} : LearnerAtKeyboard{};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    // QApplication has taken its own options out of argv.
    const StartOptions options = parseStartOptions({argv + 1, argv + argc});
    if (options.error) {
        std::fprintf(stderr, "orvanta: %s\n%s\n", options.error->c_str(), kStartUsage);
        return 2;
    }
    const auto settingsForThisRun = placeSettingsFile();
    ProgramRun run;
    run.classFolder =
        options.classFolder ? absoluteFolder(*options.classFolder) : loadSetting(kClassFolder);
    const auto learner = learnerForThisRun(run.dataFolder, options.learner, askWhoIsPractising);
    if (!learner)
        return 0;
    run.learner = *learner;
    int code = 0;
    for (bool first = true; first || code == kLearnerSwitched; first = false) {
        const std::unique_ptr<Form1> form = makeMainWindow(QApplication::applicationDirPath(), run);
        form->show();
        // A lesson file named on the command line opens as if chosen with 打开,
        // its name used as the bytes the system gave, which need not be UTF-8
        // (an old archive's GBK names).
        if (first && options.lesson)
            form->LoadLesson(*options.lesson);
        code = QApplication::exec();
        run.learner = learnerWhoTookOver(run.dataFolder);
    }
    return code;
}
