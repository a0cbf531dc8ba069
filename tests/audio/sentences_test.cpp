#include "audio/cuts_file.h"
#include "audio/lesson_sentences.h"
#include "audio/pause_finder.h"
#include "audio/recording_decoder.h"
#include "audio/sentence_player.h"
#include "tests/audio/spoken_recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kAnalysisRate = 8000;
constexpr double kTolerance = 0.25; // seconds, at each start and end

// Four sentences, the second with a pause at its comma; pauses between them
// of different lengths.
const RecordingPlan kPlan{{"わたしは がくせいです。", "これは ほんです、あれは ノートです。",
                           "にほんごを べんきょうします。", "どうぞ よろしく おねがいします。"},
                          {0.6, 0.8, 1.6, 1.1, 0.9}};

struct Made {
    fs::path folder;
    SpokenRecording clean;
    SpokenRecording noisy;
};

// The recordings are made once for the whole suite, in a temporary folder.
class SpokenSentences : public ::testing::TestWithParam<std::pair<const char*, bool>> {
  protected:
    static void SetUpTestSuite() {
        if (const auto tool = missingTool()) {
            s_missing = *tool;
            return;
        }
        s_made.folder = fs::temp_directory_path() / ("orvanta-audio-" + std::to_string(::getpid()));
        fs::create_directories(s_made.folder / "clean");
        fs::create_directories(s_made.folder / "noisy");
        s_made.clean = speak(kPlan, s_made.folder / "clean");
        RecordingPlan noisy = kPlan;
        noisy.noise = 0.02;
        s_made.noisy = speak(noisy, s_made.folder / "noisy");
    }
    static void TearDownTestSuite() {
        if (!s_made.folder.empty())
            fs::remove_all(s_made.folder);
    }
    void SetUp() override {
        if (!s_missing.empty())
            GTEST_SKIP() << s_missing << " is not installed: no recording can be made";
    }

    static MonoAudio decoded(const fs::path& path) {
        const auto bytes = readRecording(path.string());
        EXPECT_TRUE(std::holds_alternative<std::shared_ptr<const std::string>>(bytes));
        auto audio =
            decodeRecording(std::get<std::shared_ptr<const std::string>>(bytes), kAnalysisRate);
        if (const auto* why = std::get_if<std::string>(&audio))
            ADD_FAILURE() << path << " does not decode: " << *why;
        return std::get<MonoAudio>(std::move(audio));
    }

    static double worstError(const std::vector<Sentence>& found,
                             const std::vector<Sentence>& known) {
        double worst = 0;
        for (std::size_t i = 0; i < std::min(found.size(), known.size()); ++i)
            worst = std::max({worst, std::abs(found[i].start - known[i].start),
                              std::abs(found[i].end - known[i].end)});
        return worst;
    }

    static inline std::string s_missing;
    static inline Made s_made;
};

} // namespace

TEST_P(SpokenSentences, CutsEverySentenceWithinAQuarterSecondOfItsPauses) {
    const auto [extension, noisy] = GetParam();
    const SpokenRecording& recording = noisy ? s_made.noisy : s_made.clean;
    const fs::path file =
        std::string(extension) == "wav" ? recording.wav : convert(recording.wav, extension);
    const MonoAudio audio = decoded(file);
    for (const auto& found : {findSentences(audio, kPlan.texts.size()), findSentences(audio)}) {
        ASSERT_EQ(found.size(), recording.sentences.size());
        const double worst = worstError(found, recording.sentences);
        std::cout << "worst start or end error, " << extension << (noisy ? " with noise" : "")
                  << ": " << worst << " s\n";
        EXPECT_LE(worst, kTolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, SpokenSentences,
                         ::testing::Values(std::pair("wav", false), std::pair("ogg", false),
                                           std::pair("mp3", false), std::pair("wma", false),
                                           std::pair("wav", true), std::pair("mp3", true)));

TEST_F(SpokenSentences, CutsAtTheLongestPausesOnly) {
    const MonoAudio audio = decoded(s_made.clean.wav);
    const auto& known = s_made.clean.sentences;
    // The longest pause follows the second sentence.
    const auto two = findSentences(audio, 2);
    EXPECT_LE(worstError(two, {{known[0].start, known[1].end}, {known[2].start, known[3].end}}),
              kTolerance);
    EXPECT_LT(findSentences(audio, 12).size(), 12u);
}

TEST_F(SpokenSentences, SlowReplayKeepsThePitch) {
    const fs::path tone = s_made.folder / "tone.wav";
    std::ofstream(tone, std::ios::binary) << toneWav(440, 3, 44100);
    const fs::path slow = s_made.folder / "slow.wav";
    std::string why;
    {
        const auto bytes = readRecording(tone.string());
        auto player = SentencePlayer::toFile(std::get<std::shared_ptr<const std::string>>(bytes),
                                             slow.string(), why);
        ASSERT_TRUE(player) << why;
        ASSERT_TRUE(player->play({0.5, 2.5}, 0.75, 1)) << player->problem();
        while (player->poll())
            ::usleep(10'000);
        ASSERT_TRUE(player->problem().empty()) << player->problem();
    }
    const auto bytes = readRecording(slow.string());
    auto decodedSlow = decodeRecording(std::get<std::shared_ptr<const std::string>>(bytes), 44100);
    ASSERT_TRUE(std::holds_alternative<MonoAudio>(decodedSlow));
    const MonoAudio& audio = std::get<MonoAudio>(decodedSlow);
    // Two seconds played at 0.75 last 2 / 0.75 seconds.
    EXPECT_NEAR(audio.seconds(), 2 / 0.75, 0.1);
    std::size_t crossings = 0;
    const std::size_t from = audio.samples.size() / 4, to = audio.samples.size() * 3 / 4;
    for (std::size_t i = from + 1; i < to; ++i)
        crossings += audio.samples[i - 1] < 0 && audio.samples[i] >= 0;
    const double frequency = crossings / (static_cast<double>(to - from) / audio.rate);
    std::cout << "440 Hz played at 0.75x: " << frequency << " Hz\n";
    EXPECT_NEAR(frequency, 440, 440 * 0.02);
}

TEST(Recordings, ThatAreNoSoundDoNotDecode) {
    for (const std::string& bytes : {std::string("not a recording at all"), std::string(),
                                     std::string("RIFF\x10\0\0\0WAVEfmt ", 16)}) {
        const auto decoded = decodeRecording(std::make_shared<const std::string>(bytes), 8000);
        EXPECT_TRUE(std::holds_alternative<std::string>(decoded));
    }
}

TEST(CutsFile, KeepsCutsAndNamesLinesThatAreNoCut) {
    const Cuts cuts = parseCuts("# cuts\n1\t0.50\t2.25\r\n\n3\t3.10\t5.00\n4\t5\t4\nx\t1\t2\n"
                                "5\t6.00\n");
    EXPECT_EQ(cuts.entries, (std::vector<LineCut>{{1, {0.5, 2.25}}, {3, {3.1, 5.0}}}));
    EXPECT_EQ(cuts.badLines, (std::vector<std::size_t>{5, 6, 7}));
    EXPECT_EQ(parseCuts(cutsText(cuts.entries)).entries, cuts.entries);
}

TEST(LessonSentences, SpokenLinesLeaveEmptyLinesOut) {
    EXPECT_EQ(spokenLines(u"一\r\n\r\n二\r\n\u3000\r\n三\r\n"),
              (std::vector<std::size_t>{1, 3, 5}));
    EXPECT_EQ(spokenLines(u""), std::vector<std::size_t>{});
}
