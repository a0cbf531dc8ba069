#include "ui/main_window/form1.h"
#include "ui/program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QStringLiteral(ORVANTA_VERSION));
    const std::unique_ptr<Form1> form = makeMainWindow(QApplication::applicationDirPath());
    form->show();
    // A lesson file named on the command line opens as if chosen with 打开.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        form->LoadLesson(arguments.at(1).toStdString());
    return QApplication::exec();
}
