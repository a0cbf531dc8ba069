#include "ui/program.h"

#include "core/cue_sounds.h"
#include "records/history_place.h"
#include "ui/common/font_faces.h"
#include "ui/common/qt_clock.h"
#include "ui/common/translations.h"
#include "ui/journal/journal_hook.h"
#include "ui/main_window/form1.h"
#include "ui/main_window/main_window_services.h"
#include "ui/sound/wave_player.h"

#include <QScreen>

namespace {

void preloadCues(SoundBank& sounds, const std::string& programFolder) {
    for (Cue cue : kAllCues)
        sounds.preload(QString::fromStdString(programFolder + cueFileName(cue)));
    sounds.preload(QString::fromStdString(programFolder + kKeyClickFile));
}

} // namespace

MainWindowServices programServices(const QString& programFolder) {
    MainWindowServices services;
    services.programFolder = programFolder.toStdString();
    services.sounds = std::make_unique<SoundBank>();
    preloadCues(*services.sounds, services.programFolder);
    services.me1 = std::make_unique<WavePlayer>(*services.sounds);
    services.me2 = std::make_unique<BackgroundMusic>();
    services.mm3 = std::make_unique<WavePlayer>(*services.sounds);
    services.prompts = std::make_unique<Prompts>();
    services.shell = std::make_unique<DesktopShell>();
    services.clock = std::make_unique<QtClock>();
    services.codePage = std::make_unique<CodePage>();
    services.history =
        std::make_unique<HistoryFile>(historyFilePath(services.programFolder), *services.codePage);
    return services;
}

std::unique_ptr<Form1> makeMainWindow(MainWindowServices services) {
    installTranslations();
    installFontSubstitutions();
    auto window = std::make_unique<Form1>(std::move(services));
    const QRect screen = window->screen()->availableGeometry();
    window->move(screen.center() - QPoint(window->width() / 2, window->height() / 2));
    return window;
}

std::unique_ptr<Form1> makeMainWindow(const QString& programFolder) {
    MainWindowServices services = programServices(programFolder);
    Prompts& prompts = *services.prompts;
    std::unique_ptr<Form1> window = makeMainWindow(std::move(services));
    attachJournal(*window, prompts, defaultJournalPath());
    return window;
}
