#pragma once

#include "audio/sentence.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A recording made at test time: Japanese sentences spoken by espeak-ng, put
// one after another by sox with pauses of known lengths, so that where each
// sentence starts and ends is known to the sample.
struct SpokenRecording {
    std::filesystem::path wav;
    std::vector<Sentence> sentences;
};

struct RecordingPlan {
    std::vector<std::string> texts;
    std::vector<double> pauses; // before the first, between each two, after the last
    double noise = 0;           // white noise mixed in, as a share of full scale
};

// The tool among espeak-ng, sox and ffmpeg that is not installed, if any.
std::optional<std::string> missingTool();

SpokenRecording speak(const RecordingPlan& plan, const std::filesystem::path& folder);

// The recording in another format (ogg, mp3, wma), through sox or ffmpeg.
std::filesystem::path convert(const std::filesystem::path& wav, const std::string& extension);

// A pure tone in a 16-bit mono WAV file.
std::string toneWav(double frequency, double seconds, int rate);
