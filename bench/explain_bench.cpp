// Explaining mistakes: loading OpenCC and KANJIDIC, and classifying one wrong
// word (the analyser is loaded before, as the readings have it by then).
#include "explain/classifier.h"
#include "readings/mecab_analyser.h"

#include <benchmark/benchmark.h>

namespace {

void LoadKanjiSources(benchmark::State& bench) {
    for (auto _ : bench) {
        KanjiSources kanji;
        kanji.load();
        benchmark::DoNotOptimize(kanji.knowsReadings());
    }
}
BENCHMARK(LoadKanjiSources)->Unit(benchmark::kMillisecond);

void ClassifyAWrongWord(benchmark::State& bench) {
    KanjiSources kanji;
    MecabAnalyser analyser;
    Classifier classifier(kanji, analyser);
    const std::vector<WordMistake> mistakes = {
        {u"図", u"图", {}, {}},
        {u"今晩", u"こんばん", u"こんばん", u"こんばん"},
        {u"辞書", u"持書", u"じしょ", u"じしょ"},
        {u"李さん", u"離散", u"りさん", u"りさん"},
        {u"わたし", u"私", {}, u"わたし"},
        {u"辞書", u"事象", u"じしょ", u"じしょう"},
    };
    classifier.classify(mistakes[0]); // loads the sources
    size_t next = 0;
    for (auto _ : bench)
        benchmark::DoNotOptimize(classifier.classify(mistakes[next++ % mistakes.size()]));
}
BENCHMARK(ClassifyAWrongWord)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
