#include "ui/form1.h"

#include "core/attempt_state.h"
#include "core/local_files.h"
#include "core/practice_session.h"
#include "ui/about_box.h"
#include "ui/background_music.h"
#include "ui/font_chooser.h"
#include "ui/help_viewer.h"
#include "ui/lesson_box.h"
#include "ui/main_controls.h"
#include "ui/main_window_services.h"
#include "ui/typing_box.h"

#include <QApplication>

// The main window's menu commands.

void Form1::Openfile_Click() {
    const auto file = m_services->prompts->chooseOpenFile(this, QStringLiteral("课文文件(*.ORV)"));
    if (file && !file->isEmpty())
        LoadLesson(file->toStdString());
}

void Form1::morelesson_Click() {
    m_services->shell->openAddress(kHomePage);
}

void Form1::quit_Click() {
    QApplication::exit(0);
}

namespace {

// Face, size, bold, italic, underline and strikeout go from the choice to the box.
QFont chosenFont(QFont font, const QFont& chosen) {
    font.setFamilies(chosen.families());
    font.setPointSizeF(chosen.pointSizeF());
    font.setBold(chosen.bold());
    font.setItalic(chosen.italic());
    font.setUnderline(chosen.underline());
    font.setStrikeOut(chosen.strikeOut());
    return font;
}

} // namespace

// The lesson box takes the face and keeps its marks; the next character to
// type is marked again.
void Form1::uper_Click() {
    const auto choice = m_commonDialog1->choose(this, m_controls->R1->font());
    if (!choice)
        return;
    m_controls->R1->setFont(chosenFont(m_controls->R1->font(), choice->font));
    m_controls->R1->select(state().CurPos, 1);
    m_controls->R1->setSelectionUnderline(true);
    m_controls->R1->showSelection();
}

// The typing box takes the face, and the colour for its selection: with the
// selection guard, that is one character or what is typed next.
void Form1::Lower_Click() {
    const auto choice = m_commonDialog2->choose(this, m_controls->R2->font());
    if (!choice)
        return;
    m_controls->R2->setFont(chosenFont(m_controls->R2->font(), choice->font));
    m_controls->R2->selectAll();
    QTextCharFormat colour;
    colour.setForeground(choice->colour);
    m_controls->R2->mergeCurrentCharFormat(colour);
}

// Background music plays only once its file has loaded; the item then offers
// to turn it off. A file that cannot play is told and leaves the item as it was.
void Form1::connectMusic() {
    BackgroundMusic* music = m_services->me2.get();
    connect(music, &BackgroundMusic::started, this, [this] { m_session->musicStarted(); });
    connect(music, &BackgroundMusic::unplayable, this, [this](const QString& file) {
        m_services->prompts->inform(
            this, QStringLiteral("无法播放 %1：它不是能播放的 WAV 声音文件。").arg(file),
            QStringLiteral("背景音乐"));
    });
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
