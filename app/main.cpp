#include "core/cue_sounds.h"
#include "ui/background_music.h"
#include "ui/desktop_shell.h"
#include "ui/font_faces.h"
#include "ui/form1.h"
#include "ui/prompts.h"
#include "ui/qt_clock.h"
#include "ui/sound_bank.h"
#include "ui/translations.h"
#include "ui/wave_player.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    installTranslations();
    installFontSubstitutions();

    const std::string programFolder = QApplication::applicationDirPath().toStdString();
    SoundBank sounds;
    for (Cue cue : kAllCues)
        sounds.preload(QString::fromStdString(programFolder + cueFileName(cue)));
    sounds.preload(QString::fromStdString(programFolder + kKeyClickFile));
    WavePlayer me1(sounds), mm3(sounds);
    BackgroundMusic me2;
    Prompts prompts;
    DesktopShell shell;
    QtClock clock;

    Form1 form(Form1Services{me1, me2, mm3, prompts, shell, clock, programFolder});
    const QRect screen = form.screen()->availableGeometry();
    form.move(screen.center() - QPoint(form.width() / 2, form.height() / 2));
    form.show();
    // A lesson file named on the command line opens as if chosen with 打开.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        form.LoadLesson(arguments.at(1).toStdString());
    return QApplication::exec();
}
