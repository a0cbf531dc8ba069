#include "audio/pause_finder.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFrameSeconds = 0.01;
// Silences shorter than this are a consonant's closure, not a pause.
constexpr double kShortestPause = 0.12;
// Sound shorter than this between silences is a click, not speech.
constexpr double kShortestSound = 0.04;
// Where between the quiet floor and the speech level a frame counts as speech.
constexpr double kSpeechShare = 0.3;
// Kept around each sentence, so that a soft first or last sound is not clipped.
constexpr double kMargin = 0.05;

struct Run {
    std::size_t from; // frames
    std::size_t to;
};

std::vector<double> frameLoudness(const MonoAudio& audio, std::size_t frame) {
    std::vector<double> decibels;
    for (std::size_t at = 0; at + frame <= audio.samples.size(); at += frame) {
        double energy = 0;
        for (std::size_t i = at; i < at + frame; ++i) {
            // A damaged file may decode to samples that are no numbers.
            const double sample = std::isfinite(audio.samples[i]) ? audio.samples[i] : 0.0;
            energy += sample * sample;
        }
        decibels.push_back(10 * std::log10(energy / static_cast<double>(frame) + 1e-12));
    }
    return decibels;
}

double percentile(std::vector<double> values, double share) {
    const auto at = static_cast<std::ptrdiff_t>(share * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + at, values.end());
    return values[static_cast<std::size_t>(at)];
}

// Which frames hold speech, clicks removed.
std::vector<bool> speechFrames(const std::vector<double>& decibels) {
    const double floor = percentile(decibels, 0.05);
    const double loud = percentile(decibels, 0.95);
    const double threshold = floor + (loud - floor) * kSpeechShare;
    std::vector<bool> speech(decibels.size());
    for (std::size_t i = 0; i < decibels.size(); ++i)
        speech[i] = decibels[i] > threshold;
    const auto shortest = static_cast<std::size_t>(kShortestSound / kFrameSeconds);
    for (std::size_t i = 0; i < speech.size();) {
        std::size_t end = i;
        while (end < speech.size() && speech[end] == speech[i])
            ++end;
        if (speech[i] && end - i < shortest)
            std::fill(speech.begin() + static_cast<std::ptrdiff_t>(i),
                      speech.begin() + static_cast<std::ptrdiff_t>(end), false);
        i = end;
    }
    return speech;
}

// The silent runs between the first and the last speech, at least kShortestPause long.
std::vector<Run> innerPauses(const std::vector<bool>& speech) {
    std::vector<Run> pauses;
    const auto shortest = static_cast<std::size_t>(kShortestPause / kFrameSeconds);
    std::size_t i = std::find(speech.begin(), speech.end(), true) - speech.begin();
    while (i < speech.size()) {
        while (i < speech.size() && speech[i])
            ++i;
        const std::size_t from = i;
        while (i < speech.size() && !speech[i])
            ++i;
        if (i < speech.size() && i - from >= shortest)
            pauses.push_back({from, i});
    }
    return pauses;
}

// The speech between the chosen pauses, each with its margin kept inside the pauses.
std::vector<Sentence> between(const std::vector<bool>& speech, std::vector<Run> pauses,
                              double seconds) {
    std::vector<Sentence> sentences;
    const auto first = std::find(speech.begin(), speech.end(), true);
    if (first == speech.end())
        return sentences;
    const auto last = std::find(speech.rbegin(), speech.rend(), true);
    std::sort(pauses.begin(), pauses.end(), [](Run a, Run b) { return a.from < b.from; });
    std::size_t from = static_cast<std::size_t>(first - speech.begin());
    const std::size_t end = static_cast<std::size_t>(speech.rend() - last);
    pauses.push_back({end, end});
    for (const Run& pause : pauses) {
        sentences.push_back({std::max(0.0, from * kFrameSeconds - kMargin),
                             std::min(seconds, pause.from * kFrameSeconds + kMargin)});
        from = pause.to;
    }
    return sentences;
}

std::vector<bool> speechOf(const MonoAudio& audio) {
    const auto frame = static_cast<std::size_t>(std::max(1.0, audio.rate * kFrameSeconds));
    const std::vector<double> decibels = frameLoudness(audio, frame);
    return decibels.empty() ? std::vector<bool>{} : speechFrames(decibels);
}

} // namespace

std::vector<Sentence> findSentences(const MonoAudio& audio) {
    const std::vector<bool> speech = speechOf(audio);
    std::vector<Run> pauses = innerPauses(speech);
    constexpr auto shortest = static_cast<std::size_t>(kSentencePause / kFrameSeconds);
    std::erase_if(pauses, [](Run run) { return run.to - run.from < shortest; });
    return between(speech, std::move(pauses), audio.seconds());
}

std::vector<Sentence> findSentences(const MonoAudio& audio, std::size_t count) {
    if (count == 0)
        return {};
    const std::vector<bool> speech = speechOf(audio);
    std::vector<Run> pauses = innerPauses(speech);
    std::stable_sort(pauses.begin(), pauses.end(),
                     [](Run a, Run b) { return a.to - a.from > b.to - b.from; });
    if (pauses.size() > count - 1)
        pauses.resize(count - 1);
    return between(speech, std::move(pauses), audio.seconds());
}
