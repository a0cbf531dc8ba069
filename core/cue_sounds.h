#pragma once

#include "ports.h"

#include <string>

enum class Cue { Right, Wrong, Back, LineBreak, Finish };

// The cue file of each event, relative to the program folder, letter case kept.
const char* cueFileName(Cue cue);

// Plays cues on `Me1`: Close (cutting off the cue before), the file name, then
// Open and Play only while the sound switch is on.
class CueSounds {
  public:
    CueSounds(CuePlayer& player, std::string programFolder, const bool& soundOn)
        : m_player(player), m_programFolder(std::move(programFolder)), m_soundOn(soundOn) {}

    void play(Cue cue);

  private:
    CuePlayer& m_player;
    std::string m_programFolder;
    const bool& m_soundOn;
};
