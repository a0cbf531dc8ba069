// Readings of lesson text through the real MeCab and IPA dictionary: where
// each reading stands, what corrections override, and the romaji of a reading.
#include "readings/annotated_text.h"
#include "readings/kana.h"
#include "readings/lesson_readings.h"
#include "readings/loaded_readings.h"
#include "readings/mecab_analyser.h"
#include "readings/reading_placement.h"
#include "readings/romaji.h"
#include "readings/yomi_file.h"
#include "readings/yomi_writer.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class LessonReadingsTest : public ::testing::Test {
  protected:
    std::u16string read(std::u16string_view text, const std::vector<Correction>& corrections = {}) {
        return annotatedText(text, readLesson(text, m_analyser, corrections).rubies);
    }
    MecabAnalyser m_analyser;
};

// Reads every line as one word of katakana ア, and counts the lines it cut.
class CountingAnalyser final : public Analyser {
  public:
    bool available() override { return true; }
    std::vector<AnalysedWord> analyse(std::u16string_view line) override {
        ++lines;
        return {{0, line.size(), std::u16string(line.size(), u'ア')}};
    }
    int lines = 0;
};

} // namespace

// What Mozc shows while composing, as the reading of the word it commits.
TEST(PreeditReading, KanaAndPunctuationWithAPendingNAreAReadingACandidateIsNot) {
    const std::pair<std::u16string, std::optional<std::u16string>> cases[] = {
        {u"たなかさn", u"たなかさん"},
        {u"としょかｎ", u"としょかん"},
        {u"にちようび、", u"にちようび、"},
        {u"コーヒー", u"コーヒー"},
        {u"田中さん", std::nullopt},
        {u"watashi", std::nullopt},
        {u"。", std::nullopt},
        {u"", std::nullopt}};
    for (const auto& [preedit, reading] : cases)
        EXPECT_EQ(readingOfPreedit(preedit), reading);
}

// The features of a window share one lesson's readings; a teacher's new
// correction or another text is never answered with the old readings.
TEST(LoadedReadings, ALessonIsReadOnceForAllAndAgainWhenItsTextOrCorrectionsChange) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orvanta-loaded-readings-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    CountingAnalyser analyser;
    LoadedReadings readings(analyser);
    LoadedLesson lesson{(folder / "J01A.ORV").string(), "J01A", "", u"日本", false};
    for (int feature = 0; feature < 3; ++feature)
        EXPECT_EQ(readings.of(lesson).words.at(0).reading, u"ああ");
    EXPECT_EQ(analyser.lines, 1);

    std::ofstream(folder / "J01A.yomi") << "日本\tにっぽん\n";
    EXPECT_EQ(readings.of(lesson).words.at(0).reading, u"にっぽん");
    lesson.text = u"日本\r\n日本";
    EXPECT_EQ(readings.of(lesson).words.size(), 2u);
    const int linesCut = analyser.lines;
    readings.of(lesson);
    EXPECT_EQ(analyser.lines, linesCut);
    std::filesystem::remove_all(folder);
}

TEST(ReadingPlacement, OkuriganaAfterAndBeforeTheKanjiGetNoReading) {
    EXPECT_EQ(placeReading(u"食べる", u"たべる", 10), (std::vector<Ruby>{{10, 1, u"た"}}));
    EXPECT_EQ(placeReading(u"お茶", u"おちゃ", 0), (std::vector<Ruby>{{1, 1, u"ちゃ"}}));
    EXPECT_EQ(placeReading(u"お願い", u"おねがい", 0), (std::vector<Ruby>{{1, 1, u"ねが"}}));
}

TEST(ReadingPlacement, AKanjiRunSplitByKanaGetsOneReadingPerRun) {
    EXPECT_EQ(placeReading(u"引っ越し", u"ひっこし", 0),
              (std::vector<Ruby>{{0, 1, u"ひ"}, {2, 1, u"こ"}}));
    EXPECT_EQ(placeReading(u"取り扱い", u"とりあつかい", 0),
              (std::vector<Ruby>{{0, 1, u"と"}, {2, 1, u"あつか"}}));
}

TEST(ReadingPlacement, ARunOfKanjiAndTheRepeatMarkTakesTheWholeReading) {
    EXPECT_EQ(placeReading(u"日本語", u"にほんご", 0), (std::vector<Ruby>{{0, 3, u"にほんご"}}));
    EXPECT_EQ(placeReading(u"時々", u"ときどき", 0), (std::vector<Ruby>{{0, 2, u"ときどき"}}));
    EXPECT_EQ(placeReading(u"一ヶ月", u"いっかげつ", 0),
              (std::vector<Ruby>{{0, 3, u"いっかげつ"}}));
}

TEST(ReadingPlacement, KanaWordsAndAReadingThatDoesNotFitAreHandledWithoutLoss) {
    EXPECT_TRUE(placeReading(u"ノート", u"のーと", 0).empty());
    EXPECT_TRUE(placeReading(u"本", u"", 0).empty());
    // The written kana are not in the reading: the reading goes over the
    // kanji only, less the kana both share before and after them.
    EXPECT_EQ(placeReading(u"話し", u"はなす", 0), (std::vector<Ruby>{{0, 1, u"はなす"}}));
    EXPECT_EQ(placeReading(u"お話x", u"おはなし", 0), (std::vector<Ruby>{{1, 1, u"はなし"}}));
    EXPECT_EQ(placeReading(u"한本", u"ほん", 0), (std::vector<Ruby>{{1, 1, u"ほん"}}));
}

TEST(ReadingPlacement, ALongCorrectionLineIsMatchedWithoutBlowingUp) {
    std::u16string surface, reading;
    for (int i = 0; i < 200; ++i)
        surface += u"本の", reading += u"ほんの";
    surface += u"本x";
    reading += u"ほんy";
    EXPECT_EQ(placeReading(surface, reading, 0).size(), 1u); // no fit: one reading, no hang
}

TEST_F(LessonReadingsTest, ReadingsStandOverTheKanjiOfEachWordInContext) {
    ASSERT_TRUE(m_analyser.available()) << m_analyser.problem();
    EXPECT_EQ(read(u"あれは辞書ですか。"), u"あれは辞書[じしょ]ですか。");
    EXPECT_EQ(read(u"パンを食べます。"), u"パンを食[た]べます。");
    EXPECT_EQ(read(u"一番好きです。"), u"一番[いちばん]好[す]きです。");
    EXPECT_EQ(read(u"人々が来た。"), u"人々[ひとびと]が来[き]た。");
    EXPECT_EQ(read(u"ノートとABC、123。"), u"ノートとABC、123。");
}

TEST_F(LessonReadingsTest, NumbersAndCountersReadAsTheAnalyserSaysUnlessCorrected) {
    EXPECT_EQ(read(u"3時です。"), u"3時[じ]です。");
    EXPECT_EQ(read(u"三百円です。"), u"三[さん]百[ひゃく]円[えん]です。");
    EXPECT_EQ(read(u"三百円です。", {{u"三百", u"さんびゃく"}}), u"三百[さんびゃく]円[えん]です。");
}

TEST_F(LessonReadingsTest, PositionsAreLessonPositionsAcrossEveryKindOfLineBreak) {
    const std::u16string text = u"本です。\r\n辞書\n傘\r雑誌";
    const LessonReadings readings = readLesson(text, m_analyser, {});
    ASSERT_EQ(readings.rubies.size(), 4u);
    EXPECT_EQ(readings.rubies[0], (Ruby{0, 1, u"ほん"}));
    EXPECT_EQ(readings.rubies[1], (Ruby{6, 2, u"じしょ"}));
    EXPECT_EQ(readings.rubies[2], (Ruby{9, 1, u"かさ"}));
    EXPECT_EQ(readings.rubies[3], (Ruby{11, 2, u"ざっし"}));
}

TEST_F(LessonReadingsTest, ControlCharactersAndBrokenSurrogatesKeepPositionsInLine) {
    const std::u16string text{u'本',  u'\0', u'辞',  u'書', u'\t',
                              0xD800, u'傘', 0xDC00, u'雑', u'誌'};
    const LessonReadings readings = readLesson(text, m_analyser, {});
    ASSERT_EQ(readings.rubies.size(), 4u);
    EXPECT_EQ(readings.rubies[0], (Ruby{0, 1, u"ほん"}));
    EXPECT_EQ(readings.rubies[1], (Ruby{2, 2, u"じしょ"}));
    EXPECT_EQ(readings.rubies[2], (Ruby{6, 1, u"かさ"}));
    EXPECT_EQ(readings.rubies[3], (Ruby{8, 2, u"ざっし"}));
}

TEST_F(LessonReadingsTest, CorrectionsOverrideEveryOccurrenceButNotPartsOfLongerWords) {
    const std::vector<Correction> corrections{{u"日本", u"にほん"}, {u"一人", u"ひとり"}};
    EXPECT_EQ(read(u"日本の日本語、日本へ。", corrections),
              u"日本[にほん]の日本語[にほんご]、日本[にほん]へ。");
    EXPECT_EQ(read(u"一人で行きます。", corrections), u"一人[ひとり]で行[い]きます。");
    // A longer correction wins where two overlap.
    EXPECT_EQ(read(u"木の下の木", {{u"木", u"もく"}, {u"木の下", u"きのした"}}),
              u"木[き]の下[した]の木[もく]");
}

TEST_F(LessonReadingsTest, TheWordAtAPositionCarriesTheReadingOfAllOfIt) {
    const std::u16string text = u"パンを食べます。";
    const LessonReadings readings = readLesson(text, m_analyser, {});
    const ReadWord* word = readings.wordAt(3);
    ASSERT_NE(word, nullptr);
    EXPECT_EQ(text.substr(word->start, word->length), u"食べ");
    EXPECT_EQ(word->reading, u"たべ");
    ASSERT_NE(readings.wordAt(0), nullptr);
    EXPECT_EQ(readings.wordAt(0)->reading, u"ぱん");
    EXPECT_EQ(readings.wordAt(7), nullptr); // 。
    EXPECT_EQ(readings.wordAt(99), nullptr);
}

TEST(MecabAnalyser, AMissingDictionaryMakesItUnavailableWithoutACrash) {
    MecabAnalyser analyser("/nonexistent/ipadic-utf8");
    EXPECT_FALSE(analyser.available());
    EXPECT_NE(analyser.problem().find("mecab-ipadic-utf8"), std::string::npos);
    EXPECT_TRUE(readLesson(u"辞書", analyser, {}).rubies.empty());
}

TEST(MecabAnalyser, AFolderThatIsNoDictionaryIsRefused) {
    const auto folder = std::filesystem::temp_directory_path() / "orvanta-not-a-dictionary";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "sys.dic") << "not a dictionary";
    MecabAnalyser analyser(folder.string());
    EXPECT_FALSE(analyser.available());
    EXPECT_FALSE(analyser.problem().empty());
    std::filesystem::remove_all(folder);
}

TEST(YomiFile, LinesAreWordTabReadingAndBadLinesAreNamed) {
    const Corrections c =
        parseCorrections("\xEF\xBB\xBF# teacher's notes\r\n日本\tにほん\r\n\r\n一人\tヒトリ\n"
                         "no tab\n何\t\n\tなに\n辞書\tjisho\n\xFF\tあ\n小野\tおの");
    EXPECT_EQ(c.entries, (std::vector<Correction>{
                             {u"日本", u"にほん"}, {u"一人", u"ひとり"}, {u"小野", u"おの"}}));
    EXPECT_EQ(c.badLines, (std::vector<std::size_t>{5, 6, 7, 8, 9}));
}

TEST(YomiFile, TheFileIsBesideTheLessonAndAMissingOneMeansNoCorrections) {
    EXPECT_EQ(correctionsPathFor("ldata/J01A.ORV"), "ldata/J01A.yomi");
    const Corrections none = readCorrections("/nonexistent/J01A.ORV");
    EXPECT_TRUE(none.entries.empty());
    EXPECT_TRUE(none.badLines.empty());
    EXPECT_FALSE(none.unreadable);
}

TEST(YomiFile, ACorrectionsFileThatIsNoSmallRegularFileIsRefusedAtOnce) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("orvanta-yomi-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.yomi");
    ASSERT_EQ(::mkfifo((dir / "fifo.yomi").c_str(), 0600), 0); // nobody writes: must not wait
    fs::create_symlink("/dev/zero", dir / "zero.yomi");        // endless
    fs::create_symlink(dir / "loop.yomi", dir / "loop.yomi");
    std::ofstream(dir / "huge.yomi") << "";
    fs::resize_file(dir / "huge.yomi", kCorrectionsFileLimit + 1);
    const struct {
        const char* lesson;
        FileProblem problem;
    } cases[] = {
        {"folder.ORV", FileProblem::Folder},        {"fifo.ORV", FileProblem::NotARegularFile},
        {"zero.ORV", FileProblem::NotARegularFile}, {"loop.ORV", FileProblem::SymlinkLoop},
        {"huge.ORV", FileProblem::TooLarge},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lesson);
        const Corrections none = readCorrections((dir / c.lesson).string());
        EXPECT_EQ(none.unreadable, c.problem);
        EXPECT_TRUE(none.entries.empty());
    }
    fs::remove_all(dir);
}

TEST(Romaji, KanaAreSpelledAsTypedIntoAnInputMethod) {
    EXPECT_EQ(romaji(u"じしょ"), "jisho");
    EXPECT_EQ(romaji(u"おちゃ"), "ocha");
    EXPECT_EQ(romaji(u"しんかんせん"), "shinkansen");
    EXPECT_EQ(romaji(u"ふじさん"), "fujisan");
    EXPECT_EQ(romaji(u"つくえ"), "tsukue");
    EXPECT_EQ(romaji(u"を"), "wo");
    EXPECT_EQ(romaji(u"ノート"), "no-to");
    EXPECT_EQ(romaji(u"パーティー"), "pa-thi-");
    EXPECT_EQ(romaji(u"abc、"), "abc、");
}

TEST(Romaji, SmallTsuDoublesTheNextConsonant) {
    EXPECT_EQ(romaji(u"きって"), "kitte");
    EXPECT_EQ(romaji(u"ざっし"), "zasshi");
    EXPECT_EQ(romaji(u"まっちゃ"), "maccha");
    EXPECT_EQ(romaji(u"いっぱい"), "ippai");
    EXPECT_EQ(romaji(u"あっ"), "axtu"); // nothing to double
}

TEST(Romaji, SyllabicNIsDoubledBeforeAVowelYOrN) {
    EXPECT_EQ(romaji(u"きんえん"), "kinnen");
    EXPECT_EQ(romaji(u"こんや"), "konnya");
    EXPECT_EQ(romaji(u"こんにちは"), "konnnichiha");
    EXPECT_EQ(romaji(u"ほん"), "hon");
    EXPECT_EQ(romaji(u"せんせい"), "sensei");
    EXPECT_EQ(romaji(u"さんぽ"), "sanpo");
}

TEST(CorrectionsWriter, ACorrectionReplacesTheWordsLineAndKeepsTheRest) {
    const std::string file = "# 第1课\n今日\tこんにち\r\n日本\tにほん\n今日\tきょう\n";
    const std::string set = withCorrection(file, {u"今日", u"きょう"});
    EXPECT_EQ(set, "# 第1课\n今日\tきょう\n日本\tにほん\n");
    EXPECT_EQ(withCorrection(set, {u"上手", u"じょうず"}), set + "上手\tじょうず\n");
    EXPECT_EQ(withCorrection(set, {u"日本", u""}), "# 第1课\n今日\tきょう\n");
    EXPECT_EQ(parseCorrections(withCorrection("", {u"大人", u"おとな"})).entries,
              (std::vector<Correction>{{u"大人", u"おとな"}}));
}
