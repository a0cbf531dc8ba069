#include "core/cue_sounds.h"

const char* cueFileName(Cue cue) {
    switch (cue) {
    case Cue::Right:
        return "/Sound/True.wav";
    case Cue::Wrong:
        return "/Sound/false.wav";
    case Cue::Back:
        return "/Sound/back.wav";
    case Cue::LineBreak:
        return "/Sound/Enter.wav";
    case Cue::Finish:
        return "/Sound/finish.wav";
    }
    return "";
}

void CueSounds::play(Cue cue) {
    m_player.close();
    m_player.setFileName(m_programFolder + cueFileName(cue));
    if (m_soundOn) {
        m_player.open();
        m_player.play();
    }
}
