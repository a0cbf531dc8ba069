#include "tests/audio/spoken_recording.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <stdexcept>

namespace {

constexpr int kRate = 22050;

void run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
        throw std::runtime_error("failed: " + command);
}

std::string quoted(const std::filesystem::path& path) {
    return "'" + path.string() + "'";
}

double secondsOf(const std::filesystem::path& wav) {
    FILE* pipe = ::popen(("soxi -D " + quoted(wav)).c_str(), "r");
    if (!pipe)
        throw std::runtime_error("soxi cannot run");
    double seconds = 0;
    const int read = std::fscanf(pipe, "%lf", &seconds);
    ::pclose(pipe);
    if (read != 1)
        throw std::runtime_error("soxi gave no length for " + wav.string());
    return seconds;
}

std::filesystem::path silence(double seconds, const std::filesystem::path& path) {
    run("sox -n -r " + std::to_string(kRate) + " -c 1 -b 16 " + quoted(path) + " trim 0 " +
        std::to_string(seconds));
    return path;
}

// Spoken, at the common rate, without the silence espeak-ng leaves around it.
std::filesystem::path spoken(const std::string& text, const std::filesystem::path& path) {
    const std::filesystem::path raw = path.string() + ".raw.wav";
    run("espeak-ng -v ja -w " + quoted(raw) + " '" + text + "'");
    run("sox " + quoted(raw) + " -r " + std::to_string(kRate) + " -c 1 -b 16 " + quoted(path) +
        " silence 1 0.01 -45d reverse silence 1 0.01 -45d reverse");
    return path;
}

void putLittleEndian(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::optional<std::string> missingTool() {
    for (const char* tool : {"espeak-ng", "sox", "soxi", "ffmpeg"})
        if (std::system(("command -v " + std::string(tool) + " >/dev/null 2>&1").c_str()) != 0)
            return tool;
    return std::nullopt;
}

SpokenRecording speak(const RecordingPlan& plan, const std::filesystem::path& folder) {
    SpokenRecording recording{folder / "spoken.wav", {}};
    std::string parts;
    double at = 0;
    for (std::size_t i = 0; i <= plan.texts.size(); ++i) {
        const std::string name = std::to_string(i);
        parts += quoted(silence(plan.pauses.at(i), folder / ("pause" + name + ".wav"))) + " ";
        at += plan.pauses[i];
        if (i == plan.texts.size())
            break;
        const auto sentence = spoken(plan.texts[i], folder / ("sentence" + name + ".wav"));
        parts += quoted(sentence) + " ";
        const double length = secondsOf(sentence);
        recording.sentences.push_back({at, at + length});
        at += length;
    }
    if (plan.noise <= 0) {
        run("sox " + parts + quoted(recording.wav));
        return recording;
    }
    const auto quiet = folder / "quiet.wav";
    const auto noise = folder / "noise.wav";
    run("sox " + parts + quoted(quiet));
    run("sox -n -r " + std::to_string(kRate) + " -c 1 -b 16 " + quoted(noise) + " synth " +
        std::to_string(at) + " whitenoise vol " + std::to_string(plan.noise));
    run("sox -m " + quoted(quiet) + " " + quoted(noise) + " " + quoted(recording.wav));
    return recording;
}

std::filesystem::path convert(const std::filesystem::path& wav, const std::string& extension) {
    std::filesystem::path out = wav;
    out.replace_extension(extension);
    if (extension == "wma")
        run("ffmpeg -y -i " + quoted(wav) + " -c:a wmav2 -b:a 64k " + quoted(out));
    else
        run("sox " + quoted(wav) + " " + quoted(out));
    return out;
}

std::string toneWav(double frequency, double seconds, int rate) {
    const auto count = static_cast<std::uint32_t>(seconds * rate);
    std::string bytes = "RIFF";
    putLittleEndian(bytes, 36 + count * 2, 4);
    bytes += "WAVEfmt ";
    putLittleEndian(bytes, 16, 4);
    putLittleEndian(bytes, 1, 2); // PCM
    putLittleEndian(bytes, 1, 2); // mono
    putLittleEndian(bytes, static_cast<std::uint32_t>(rate), 4);
    putLittleEndian(bytes, static_cast<std::uint32_t>(rate * 2), 4);
    putLittleEndian(bytes, 2, 2);
    putLittleEndian(bytes, 16, 2);
    bytes += "data";
    putLittleEndian(bytes, count * 2, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const double value = 0.5 * std::sin(2 * std::numbers::pi * frequency * i / rate);
        putLittleEndian(bytes, static_cast<std::uint16_t>(static_cast<std::int16_t>(value * 32767)),
                        2);
    }
    return bytes;
}
