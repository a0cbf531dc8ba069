#include "ui/common/settings_file.h"
#include "ui/main_window/form1.h"
#include "ui/program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    const auto settingsForThisRun = placeSettingsFile();
    const std::unique_ptr<Form1> form = makeMainWindow(QApplication::applicationDirPath());
    form->show();
    // A lesson file named on the command line opens as if chosen with 打开. Its
    // name is used as the bytes the system gave, which need not be UTF-8 (an
    // old archive's GBK names); QApplication has taken its own options out.
    if (argc > 1)
        form->LoadLesson(argv[1]);
    return QApplication::exec();
}
