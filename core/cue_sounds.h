#pragma once

#include "core/ports.h"

#include <string>

enum class Cue { Right, Wrong, Back, LineBreak, Finish };

inline constexpr Cue kAllCues[] = {Cue::Right, Cue::Wrong, Cue::Back, Cue::LineBreak, Cue::Finish};

// The cue file of each event, relative to the program folder, letter case kept.
const char* cueFileName(Cue cue);

// The key click's file, played on `MM3`.
inline constexpr const char* kKeyClickFile = "/Sound/Type.wav";

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
