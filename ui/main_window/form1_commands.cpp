#include "ui/main_window/form1.h"

#include "core/local_files.h"
#include "core/practice_session.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/help_viewer.h"
#include "ui/main_window/main_window_services.h"

#include <QApplication>

// The main window's menu commands.

void Form1::Openfile_Click() {
    const auto file = m_services->prompts->chooseOpenFile(this, QStringLiteral("课文文件(*.ORV)"));
    if (file && !file->isEmpty())
        LoadLesson(file->toStdString());
}

void Form1::Sav_Click() {
    m_session->giveUpAttempt();
}

// Without a browser the learner still gets the address, to open elsewhere.
void Form1::morelesson_Click() {
    if (!m_services->shell->openAddress(kHomePage))
        m_services->prompts->inform(
            this, QStringLiteral("无法打开浏览器。更多课文请到：\n%1").arg(kHomePage),
            QStringLiteral("更多课文下载"));
}

void Form1::quit_Click() {
    QApplication::exit(0);
}

// The help document opens in the desktop's viewer, or in ours where there is none.
void Form1::Help_Click() {
    const QString help = QString::fromStdString(nativePath("help\\help.html"));
    if (!m_services->shell->openDocument(help))
        (new HelpViewer(help, this))->show();
}

void Form1::About_Click() {
    auto* about = new frmAbout(*m_services->shell, this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}
