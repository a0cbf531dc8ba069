// Finding the slips after one change in the largest lesson: a word committed
// and taken back again, at the lesson's start, in its middle and near its end,
// in a lesson of lines or of one long line, with slips left behind near the
// start (こんばんは for 今晩は, 毎朝 typed as Latin letters). The record and the
// slip book are the program's own, with the installed dictionaries.
#include "core/attempt_record.h"
#include "core/local_files.h"
#include "explain/slip_book.h"
#include "readings/loaded_readings.h"
#include "readings/mecab_analyser.h"

#include <algorithm>
#include <benchmark/benchmark.h>

namespace {

// The most characters a lesson file the program reads can hold.
constexpr std::size_t kLargestLesson = kLessonFileLimit / 2 - 1;

// One sentence as the learner commits it: each piece with the kana typed for
// it, or none for a key.
struct Piece {
    std::u16string text;
    std::optional<std::u16string> reading;
};

const std::vector<Piece> kSentence = {
    {u"今晩は", u"こんばんは"}, {u"、", std::nullopt},      {u"田中さん", u"たなかさん"},
    {u"。", std::nullopt},      {u"わたしは", u"わたしは"}, {u"毎朝", u"まいあさ"},
    {u"七時に", u"しちじに"},   {u"起きます", u"おきます"}, {u"。", std::nullopt}};

std::u16string sentence() {
    std::u16string text;
    for (const Piece& piece : kSentence)
        text += piece.text;
    return text;
}

// The sentence over and over, each on its own line or all on one.
std::u16string lessonOf(bool oneLine) {
    const std::u16string line = sentence() + (oneLine ? u"" : u"\r\n");
    std::u16string text;
    while (text.size() + line.size() <= kLargestLesson)
        text += line;
    text.resize(kLargestLesson, u'あ');
    return text;
}

// The learner's steps for the whole lesson, the first sentence with two slips.
std::vector<Piece> piecesOf(bool oneLine) {
    std::vector<Piece> pieces = {{u"こんばんは", u"こんばんは"}};
    pieces.insert(pieces.end(), kSentence.begin() + 1, kSentence.begin() + 5);
    for (char16_t c : std::u16string(u"maiasa"))
        pieces.push_back({std::u16string(1, c), std::nullopt});
    pieces.insert(pieces.end(), kSentence.begin() + 6, kSentence.end());
    for (std::size_t typed = sentence().size(); typed < kLargestLesson;) {
        if (!oneLine)
            pieces.push_back({u"\r\n", std::nullopt});
        for (const Piece& piece : kSentence)
            pieces.push_back(piece);
        typed += sentence().size() + (oneLine ? 0 : 2);
    }
    return pieces;
}

void type(AttemptRecord& record, const Piece& piece) {
    record.typedNow(record.typed + piece.text, piece.text, piece.reading);
}

// The slips of a word committed and of its taking back, in a lesson of lines
// or (range(0) = 1) of one line, after the learner's steps up to range(1)
// percent of the lesson (0: the first sentence; 100: all but its last two).
void FindSlipsPerCommit(benchmark::State& bench) {
    KanjiSources kanji;
    MecabAnalyser analyser;
    LoadedReadings readings(analyser);
    SlipBook book(kanji, readings);
    const bool oneLine = bench.range(0) != 0;
    LoadedLesson lesson{"", "", "", lessonOf(oneLine), false};
    book.lessonLoaded(lesson);
    AttemptRecord record;
    record.begin(lesson, PracticeMode::Text);
    const std::vector<Piece> pieces = piecesOf(oneLine);
    const std::size_t stop =
        std::clamp(lesson.text.size() * static_cast<std::size_t>(bench.range(1)) / 100,
                   sentence().size() + 6, lesson.text.size() - 2 * sentence().size());
    std::size_t next = 0;
    while (next + 1 < pieces.size() && record.typed.size() + pieces[next].text.size() <= stop)
        type(record, pieces[next++]);
    book.findSlips(record);
    if (record.slips.size() != 2)
        bench.SkipWithError("the two slips left behind were not found");
    const std::u16string before = record.typed;
    for (auto _ : bench) {
        type(record, pieces[next]);
        book.findSlips(record);
        record.typedNow(before, {}, std::nullopt);
        book.findSlips(record);
    }
    bench.counters["per_change"] =
        benchmark::Counter(static_cast<double>(bench.iterations() * 2),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    bench.counters["typed"] = static_cast<double>(record.typed.size());
}
BENCHMARK(FindSlipsPerCommit)
    ->ArgNames({"one_line", "percent"})
    ->ArgsProduct({{0, 1}, {0, 50, 100}})
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
