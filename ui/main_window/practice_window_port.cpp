#include "ui/main_window/practice_window_port.h"

#include "ui/common/prompts.h"
#include "ui/common/qt_text.h"
#include "ui/dialogs/score_keeper.h"
#include "ui/main_window/clock_timers.h"
#include "ui/main_window/main_controls.h"
#include "ui/main_window/main_menu.h"
#include "ui/main_window/switch_captions.h"

#include <QAction>
#include <QLabel>

// The clock label grows with its text; the other read-outs have their designed size.
void PracticeWindowPort::setCaption(FormLabel label, std::u16string_view text) {
    QLabel* readout = m_controls.readout(label);
    readout->setText(qs(text));
    if (label == FormLabel::Label13)
        readout->adjustSize();
}

void PracticeWindowPort::setDialogCaption(DialogLabel label, std::u16string_view text) {
    m_scores.setFigure(label, qs(text));
}

void PracticeWindowPort::showDialogModeless() {
    m_scores.showModeless();
}

void PracticeWindowPort::showDialogModal() {
    m_scores.showModal();
}

void PracticeWindowPort::enableGiveUp() {
    m_menu.Sav->setEnabled(true);
}

void PracticeWindowPort::runAttemptClock(bool enabled) {
    m_timers.setTimer1(enabled);
}

void PracticeWindowPort::runIdleClock(bool enabled) {
    m_timers.setTimer2(enabled);
}

void PracticeWindowPort::showSwitch(MenuItem item, bool on) {
    QAction* action = item == MenuItem::Se    ? m_menu.Se
                      : item == MenuItem::Key ? m_menu.Key
                                              : m_menu.Music;
    action->setText(switchCaption(item, on));
}

bool PracticeWindowPort::askYesNo(std::u16string_view text, std::u16string_view title) {
    return m_prompts.askYesNo(m_window, qs(text), qs(title));
}

std::optional<std::string> PracticeWindowPort::chooseMusicFile() {
    const auto file =
        m_prompts.chooseOpenFile(m_window, QStringLiteral("背景音乐 (*.wav);;所有文件 (*)"));
    if (!file)
        return std::nullopt;
    return file->toStdString();
}
