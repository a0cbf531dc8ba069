#include "ui/main_window/sound_menu.h"

#include "core/practice_session.h"
#include "ui/common/prompts.h"
#include "ui/main_window/main_menu.h"
#include "ui/sound/background_music.h"

#include <QAction>
#include <QWidget>

SoundMenu::SoundMenu(QWidget* window, const MainMenu& menu, PracticeSession& session,
                     BackgroundMusic& music, Prompts& prompts)
    : QObject(window), m_window(window), m_session(session), m_prompts(prompts) {
    connect(menu.Se, &QAction::triggered, this, &SoundMenu::Se_Click);
    connect(menu.Key, &QAction::triggered, this, &SoundMenu::Key_Click);
    connect(menu.Music, &QAction::triggered, this, &SoundMenu::Music_Click);
    connect(&music, &BackgroundMusic::started, this, [this] { m_session.musicStarted(); });
    connect(&music, &BackgroundMusic::unplayable, this, &SoundMenu::tellUnplayable);
}

void SoundMenu::Se_Click() {
    m_session.toggleSound();
}

void SoundMenu::Key_Click() {
    m_session.toggleKeySound();
}

void SoundMenu::Music_Click() {
    m_session.toggleBackgroundMusic();
}

void SoundMenu::tellUnplayable(const QString& file, const QString& reason) {
    m_prompts.inform(m_window, QStringLiteral("无法播放 %1：%2。").arg(file, reason),
                     QStringLiteral("背景音乐"));
}
