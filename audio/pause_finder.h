#pragma once

#include "audio/recording_decoder.h"
#include "audio/sentence.h"

#include <cstddef>
#include <vector>

// The sentences of a spoken recording, told apart by the pauses between them.
// Loudness is measured in short frames; what is well below the recording's
// own speech, measured against its own quietest part, is a pause, so that a
// steady background noise is a pause too.

// Every sentence: the stretches of speech between pauses of at least
// `kSentencePause` seconds (a pause at a comma is shorter and stays inside).
inline constexpr double kSentencePause = 0.6;
std::vector<Sentence> findSentences(const MonoAudio& audio);

// `count` sentences, cut at the `count` - 1 longest pauses; fewer when the
// recording has fewer pauses.
std::vector<Sentence> findSentences(const MonoAudio& audio, std::size_t count);
