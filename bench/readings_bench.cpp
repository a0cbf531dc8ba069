// Readings: loading the analyser, the readings of a long lesson, and a
// keystroke through the real main window with readings on.
#include "core/utf8.h"
#include "readings/lesson_readings.h"
#include "readings/mecab_analyser.h"
#include "tests/support/form1_fixture.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// The course's own lessons, one after another, until the length is reached.
std::u16string courseTextOfLength(std::size_t length) {
    std::u16string all;
    for (const auto& entry : std::filesystem::directory_iterator(ORVANTA_LESSON_SOURCES)) {
        if (entry.path().extension() != ".txt")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        for (char16_t c : fromUtf8(bytes).value_or(u""))
            c == u'\n' ? all += u"\r\n" : all += c;
        all += u"\r\n";
    }
    std::u16string text;
    while (text.size() < length)
        text += all;
    text.resize(length);
    if (text.back() == u'\r')
        text.back() = u'。';
    return text;
}

void LoadAnalyser(benchmark::State& bench) {
    for (auto _ : bench) {
        MecabAnalyser analyser;
        benchmark::DoNotOptimize(analyser.available());
    }
}
BENCHMARK(LoadAnalyser)->Unit(benchmark::kMillisecond);

void ReadingsOfLesson(benchmark::State& bench) {
    MecabAnalyser analyser;
    if (!analyser.available()) {
        bench.SkipWithError(analyser.problem().c_str());
        return;
    }
    const std::u16string text = courseTextOfLength(static_cast<std::size_t>(bench.range(0)));
    const Corrections corrections =
        parseCorrections("日本\tにほん\n一人\tひとり\n二人\tふたり\n九時\tくじ\n何時\tなんじ\n");
    for (auto _ : bench)
        benchmark::DoNotOptimize(readLesson(text, analyser, corrections.entries));
    bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}
BENCHMARK(ReadingsOfLesson)->Arg(500)->Arg(32000)->Unit(benchmark::kMillisecond);

// Types the first half of the lesson, a line at a time.
void typeHalf(Form1Fixture& f, const std::u16string& lesson) {
    const std::u16string half = lesson.substr(0, lesson.size() / 2);
    for (std::size_t start = 0; start < half.size();) {
        std::size_t end = std::min(half.find(u"\r\n", start), half.size());
        f.commit(QString::fromUtf16(half.data() + start, static_cast<qsizetype>(end - start)));
        if (end < half.size())
            QTest::keyClick(f.m_r2, Qt::Key_Return);
        start = end + 2;
    }
}

// A key and its Backspace, each painted: two keystrokes per iteration. The
// second argument switches readings on (1) or off (0), for comparison.
void KeystrokeWithReadings(benchmark::State& bench) {
    Form1Fixture f;
    const std::u16string lesson = courseTextOfLength(static_cast<std::size_t>(bench.range(0)));
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lesson);
    const bool readingsOn = bench.range(1) != 0;
    f.form->findChild<QAction*>(QStringLiteral("Yomi"))->setChecked(readingsOn);
    f.trigger("Jlesson1_A");
    if (f.m_r1->showsReadings() != readingsOn) {
        bench.SkipWithError("the readings switch did not take");
        return;
    }
    typeHalf(f, lesson);
    QApplication::processEvents();
    for (auto _ : bench) {
        QTest::keyClick(f.m_r2, Qt::Key_X);
        f.m_r1->viewport()->repaint();
        QTest::keyClick(f.m_r2, Qt::Key_Backspace);
        f.m_r1->viewport()->repaint();
    }
    bench.SetItemsProcessed(bench.iterations() * 2);
}
BENCHMARK(KeystrokeWithReadings)
    ->ArgsProduct({{500, 32000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settings; // the readings switch is saved here, not in the user's settings
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
