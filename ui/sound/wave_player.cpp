#include "ui/sound/wave_player.h"

#include "ui/sound/sound_bank.h"

void WavePlayer::close() {
    if (m_open)
        m_open->stop();
    m_open = nullptr;
}

void WavePlayer::setFileName(const std::string& path) {
    m_fileName = QString::fromStdString(path);
}

void WavePlayer::open() {
    m_open = m_bank.effect(m_fileName);
}

void WavePlayer::play() {
    if (!m_open)
        return;
    m_open->setLoopCount(1);
    m_open->stop();
    m_open->play();
}
