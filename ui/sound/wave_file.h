#pragma once

#include <QString>

// The largest wave file played. A sound effect holds the whole sound in
// memory, decoded: a file of this size costs about 100 MB, several minutes
// of CD-quality music played again and again.
inline constexpr qint64 kLargestWave = 64 * 1024 * 1024;

// Whether a file is a RIFF wave sound that Qt's sound effects can play: PCM
// or floating-point samples, with a format and a data chunk of at least one
// frame, of at most `kLargestWave` bytes. Qt's loader must
// never see anything else: on a file that is no wave sound it neither loads
// nor fails, and blocks every sound effect of the program after it.
bool isPlayableWave(const QString& path);
