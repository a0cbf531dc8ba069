// Cutting a lesson's recording into sentences: read, decoded to mono at the
// analysis rate and its pauses found, on a five-minute recording spoken at
// bench time and stored as wma, like the course's.
#include "audio/pause_finder.h"
#include "audio/recording_decoder.h"
#include "tests/audio/spoken_recording.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const RecordingPlan kPlan{{"わたしは がくせいです。", "これは ほんです、あれは ノートです。",
                           "にほんごを べんきょうします。", "どうぞ よろしく おねがいします。",
                           "きょうは いい てんきですね。", "としょかんは どこですか。"},
                          {0.8, 1.2, 1.0, 1.5, 0.9, 1.1, 1.0}};

// Six sentences repeated to five minutes.
fs::path fiveMinutes(const fs::path& folder) {
    const SpokenRecording spoken = speak(kPlan, folder);
    const fs::path wav = folder / "five.wav";
    const std::string command = "sox '" + spoken.wav.string() + "' '" + wav.string() +
                                "' repeat 99 trim 0 300 >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return {};
    return convert(wav, "wma");
}

void CutFiveMinuteRecording(benchmark::State& bench) {
    if (const auto tool = missingTool()) {
        bench.SkipWithError((*tool + " is not installed").c_str());
        return;
    }
    const fs::path folder =
        fs::temp_directory_path() / ("orvanta-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path recording = fiveMinutes(folder);
    std::size_t sentences = 0;
    double seconds = 0;
    for (auto _ : bench) {
        const auto bytes = readRecording(recording.string());
        const auto audio =
            decodeRecording(std::get<std::shared_ptr<const std::string>>(bytes), 8000);
        seconds = std::get<MonoAudio>(audio).seconds();
        sentences = findSentences(std::get<MonoAudio>(audio)).size();
    }
    fs::remove_all(folder);
    bench.counters["recording_s"] = seconds;
    bench.counters["sentences"] = static_cast<double>(sentences);
}
BENCHMARK(CutFiveMinuteRecording)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
