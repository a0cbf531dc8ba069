// The engine per keystroke and per phrase committed at a line end, at two
// lesson lengths, and decoding a long lesson file.
#include "core/lesson_codec.h"
#include "records/history_file.h"
#include "tests/fakes/practice_rig.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <fstream>

namespace {

std::u16string lessonOfLength(size_t length) {
    std::u16string text;
    const std::u16string line = u"わたしは毎朝七時に起きます。";
    while (text.size() + line.size() + 2 <= length)
        text += line + u"\r\n";
    text.resize(length, u'あ');
    return text;
}

// Types a text into the session a line at a time, as the learner would.
void typeLines(PracticeRig& rig, std::u16string_view text) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = std::min(text.find(u"\r\n", start), text.size());
        rig.append(text.substr(start, end - start));
        if (end < text.size())
            rig.append(u"\r\n");
        start = end + 2;
    }
}

// One keystroke right and one Backspace, halfway through the lesson.
void EngineKeystroke(benchmark::State& bench) {
    PracticeRig rig;
    const std::u16string lesson = lessonOfLength(static_cast<size_t>(bench.range(0)));
    rig.start(lesson);
    std::u16string half = lesson.substr(0, lesson.size() / 2);
    while (!half.empty() && half.back() == u'\r')
        half.pop_back();
    typeLines(rig, half);
    const std::u16string typed = rig.typing.typed;
    const std::u16string withOne = typed + u"x";
    for (auto _ : bench) {
        rig.type(withOne);
        rig.type(typed);
    }
    bench.SetItemsProcessed(bench.iterations() * 2);
}
BENCHMARK(EngineKeystroke)->Arg(500)->Arg(32000);

// A phrase of five characters committed at a line end halfway through the
// lesson (the line break is entered, the phrase evaluated after it), then taken
// back in one deletion.
void EngineCommitAtLineEnd(benchmark::State& bench) {
    PracticeRig rig;
    const std::u16string lesson = lessonOfLength(static_cast<size_t>(bench.range(0)));
    rig.start(lesson);
    const size_t lineEnd = lesson.find(u"\r\n", lesson.size() / 2);
    const std::u16string typed = lesson.substr(0, lineEnd);
    typeLines(rig, typed);
    const std::u16string withPhrase = typed + lesson.substr(lineEnd + 2, 5);
    for (auto _ : bench) {
        rig.type(withPhrase);
        rig.type(typed);
    }
    bench.SetItemsProcessed(bench.iterations() * 2);
}
BENCHMARK(EngineCommitAtLineEnd)->Arg(500)->Arg(32000);

void DecodeLesson(benchmark::State& bench) {
    CodePage codePage;
    const std::string bytes = std::get<std::string>(encodeLesson(lessonOfLength(32000), codePage));
    for (auto _ : bench)
        benchmark::DoNotOptimize(decodeLesson(bytes, codePage));
}
BENCHMARK(DecodeLesson);

// Appending one record to a history file that already holds 10 MB.
void AppendToLargeHistory(benchmark::State& bench) {
    CodePage codePage;
    const std::string path = "/tmp/orvanta-bench-user.cey";
    const ScoreRecord record{u"学员",   u"9:05:03", u"9:10:15", u"0:5:12",
                             u"24.615", u"120",     u"8",       u"128"};
    const std::string bytes = codePage.encodeText(layoutScoreRecord(record));
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        for (size_t size = 0; size < 10'000'000; size += bytes.size())
            out << bytes;
    }
    HistoryFile history(path, codePage);
    for (auto _ : bench)
        history.AppendScoreRecord(record);
    std::remove(path.c_str());
}
BENCHMARK(AppendToLargeHistory)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
