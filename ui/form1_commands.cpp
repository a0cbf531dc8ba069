#include "ui/form1.h"

#include "ui/about_box.h"
#include "ui/background_music.h"
#include "ui/desktop_shell.h"
#include "ui/font_chooser.h"
#include "ui/help_viewer.h"
#include "ui/lesson_box.h"
#include "ui/prompts.h"
#include "ui/typing_box.h"

#include <QAction>
#include <QApplication>

// The main window's menu commands.

void Form1::Openfile_Click() {
    const auto file = m_services.prompts.chooseOpenFile(this, QStringLiteral("课文文件(*.ORV)"));
    if (file && !file->isEmpty())
        LoadLesson(file->toStdString());
}

void Form1::morelesson_Click() {
    m_services.shell.openAddress(kHomePage);
}

void Form1::quit_Click() {
    QApplication::exit(0);
}

void Form1::Sav_Click() {
    if (m_r1->text().empty() || !askYesNo(u"你要放弃当前的练习吗？", u"提示"))
        return;
    resetReadouts(*this);
    m_r1->setText(u"");
    m_r2->setText(u"");
    m_scores->showModal();
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
    const auto choice = m_commonDialog1->choose(this, m_r1->font());
    if (!choice)
        return;
    m_r1->setFont(chosenFont(m_r1->font(), choice->font));
    m_r1->select(m_state.CurPos, 1);
    m_r1->setSelectionUnderline(true);
    m_r1->showSelection();
}

// The typing box takes the face, and the colour for its selection: with the
// selection guard, that is one character or what is typed next.
void Form1::Lower_Click() {
    const auto choice = m_commonDialog2->choose(this, m_r2->font());
    if (!choice)
        return;
    m_r2->setFont(chosenFont(m_r2->font(), choice->font));
    m_r2->selectAll();
    QTextCharFormat colour;
    colour.setForeground(choice->colour);
    m_r2->mergeCurrentCharFormat(colour);
}

// The help document opens in the desktop's viewer, or in ours where there is none.
void Form1::Help_Click() {
    const QString help = QString::fromStdString(nativePath("help\\help.html"));
    if (!m_services.shell.openDocument(help))
        (new HelpViewer(help, this))->show();
}

void Form1::About_Click() {
    auto* about = new frmAbout(m_services.shell, this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

namespace {

// Flips a sound switch; its item's caption offers the opposite of the new state.
void toggleSwitch(bool& on, QAction* item, const QString& offerOff, const QString& offerOn) {
    on = !on;
    item->setText(on ? offerOff : offerOn);
}

} // namespace

void Form1::Se_Click() {
    toggleSwitch(m_state.SoundOn, m_menu.Se, QStringLiteral("关闭音效(&S)"),
                 QStringLiteral("打开音效(&S)"));
}

void Form1::Key_Click() {
    toggleSwitch(m_state.KeySoundOn, m_menu.Key, QStringLiteral("关闭键盘音(&K)"),
                 QStringLiteral("打开键盘音(K)"));
}

void Form1::Music_Click() {
    if (m_musicOn) {
        m_services.me2.close();
        m_musicOn = false;
        m_menu.Music->setText(QStringLiteral("背景音乐(&M)..."));
        return;
    }
    const auto file =
        m_services.prompts.chooseOpenFile(this, QStringLiteral("背景音乐 (*.wav);;所有文件 (*)"));
    if (!file)
        return;
    m_services.me2.close();
    m_services.me2.setFileName(file->toStdString());
    m_services.me2.open();
    m_services.me2.play();
}

void Form1::connectMusic() {
    connect(&m_services.me2, &BackgroundMusic::started, this, [this] {
        m_musicOn = true;
        m_menu.Music->setText(QStringLiteral("关闭背景音乐(&M)"));
    });
    connect(&m_services.me2, &BackgroundMusic::unplayable, this, [this](const QString& file) {
        m_services.prompts.inform(
            this, QStringLiteral("无法播放 %1：它不是能播放的 WAV 声音文件。").arg(file),
            QStringLiteral("背景音乐"));
    });
}
