#pragma once

#include "core/regular_file.h"

#include <cstddef>
#include <memory>
#include <string>
#include <variant>
#include <vector>

// A recording as one channel of samples (-1 to 1) at a chosen rate.
struct MonoAudio {
    int rate = 0;
    std::vector<float> samples;
    double seconds() const { return rate ? static_cast<double>(samples.size()) / rate : 0; }
};

// The largest recording read: far above an hour of any compressed speech.
inline constexpr std::size_t kRecordingFileLimit = 512 * 1024 * 1024;

// The bytes of a recording file, through the program's bounded reader.
std::variant<std::shared_ptr<const std::string>, FileProblem>
readRecording(const std::string& path);

// Decodes a recording in any format the installed GStreamer plugins play
// (wav, ogg, mp3, wma ...), mixed down to mono at `rate` samples a second.
// The reason when it cannot be decoded (not audio, damaged, no plugin).
std::variant<MonoAudio, std::string> decodeRecording(std::shared_ptr<const std::string> bytes,
                                                     int rate);
