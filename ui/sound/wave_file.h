#pragma once

#include <QString>

// Whether a file is a RIFF wave sound that Qt's sound effects can play: PCM
// or floating-point samples, with a format and a data chunk. Qt's loader must
// never see anything else: on a file that is no wave sound it neither loads
// nor fails, and blocks every sound effect of the program after it.
bool isPlayableWave(const QString& path);
