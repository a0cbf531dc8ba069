// The main window under load: a keystroke through the real widgets at two lesson
// lengths, loading a long lesson, and the processor time of a running attempt
// in which nothing is typed.
#include "core/code_page.h"
#include "core/cue_sounds.h"
#include "core/lesson_codec.h"
#include "records/history_file.h"
#include "tests/ui/form1_fixture.h"
#include "ui/history_viewer.h"
#include "ui/qt_clock.h"
#include "ui/sound_bank.h"
#include "ui/wave_player.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

std::u16string lessonOfLength(size_t length) {
    const std::u16string line = u"わたしは毎朝七時に起きます。";
    std::u16string text;
    while (text.size() + line.size() + 2 <= length)
        text += line + u"\r\n";
    text.resize(length, u'あ');
    return text;
}

// Types the first half of the lesson, a line at a time.
void typeHalf(Form1Fixture& f, const std::u16string& lesson) {
    const std::u16string half = lesson.substr(0, lesson.size() / 2);
    size_t start = 0;
    while (start < half.size()) {
        size_t end = half.find(u"\r\n", start);
        if (end == std::u16string::npos)
            end = half.size();
        f.commit(QString::fromUtf16(half.data() + start, static_cast<qsizetype>(end - start)));
        if (end < half.size())
            QTest::keyClick(f.m_r2, Qt::Key_Return);
        start = end + 2;
    }
}

void WidgetKeystroke(benchmark::State& bench) {
    Form1Fixture f;
    const std::u16string lesson = lessonOfLength(static_cast<size_t>(bench.range(0)));
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lesson);
    f.trigger("Jlesson1_A");
    typeHalf(f, lesson);
    for (auto _ : bench) {
        QTest::keyClick(f.m_r2, Qt::Key_X);
        QTest::keyClick(f.m_r2, Qt::Key_Backspace);
        QApplication::processEvents();
    }
    bench.SetItemsProcessed(bench.iterations() * 2);
}
BENCHMARK(WidgetKeystroke)
    ->Arg(500)
    ->Arg(32000)
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("median",
                        [](const std::vector<double>& v) {
                            std::vector<double> s = v;
                            std::nth_element(s.begin(), s.begin() + static_cast<long>(s.size() / 2),
                                             s.end());
                            return s[s.size() / 2];
                        })
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void LoadLongLesson(benchmark::State& bench) {
    Form1Fixture f;
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lessonOfLength(32000));
    for (auto _ : bench) {
        f.prompts.setNextAnswer(true);
        f.trigger("Jlesson1_A");
        QApplication::processEvents();
    }
}
BENCHMARK(LoadLongLesson)->Unit(benchmark::kMillisecond);

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Share of one core used while the attempt clock runs and the learner pauses.
void IdleAttempt(benchmark::State& bench) {
    Form1Fixture f;
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lessonOfLength(500));
    f.trigger("Jlesson1_A");
    QTest::keyClick(f.m_r2, Qt::Key_X);
    double share = 0;
    for (auto _ : bench) {
        const double before = processorSeconds();
        QElapsedTimer wall;
        wall.start();
        while (wall.elapsed() < 3000)
            QTest::qWait(100);
        share = (processorSeconds() - before) / (static_cast<double>(wall.elapsed()) / 1000.0);
    }
    bench.counters["core_percent"] = share * 100;
}
BENCHMARK(IdleAttempt)->Iterations(1)->Unit(benchmark::kMillisecond);

// Loading the six cue effects, as start-up does.
void PreloadCues(benchmark::State& bench) {
    for (auto _ : bench) {
        SoundBank bank;
        const QString folder = QStringLiteral(ORVANTA_SOUND_DIR "/..");
        for (Cue cue : kAllCues)
            bank.preload(folder + QLatin1String(cueFileName(cue)));
        bank.preload(folder + QLatin1String(kKeyClickFile));
        QApplication::processEvents();
    }
}
BENCHMARK(PreloadCues)->Unit(benchmark::kMillisecond);

// From a key event in the typing box to the key click's play(), with real players.
void KeyToClick(benchmark::State& bench) {
    SoundBank bank;
    WavePlayer me1(bank), mm3(bank);
    BackgroundMusic me2;
    Prompts prompts;
    DesktopShell shell;
    QtClock clock;
    const std::string folder = QStringLiteral(ORVANTA_SOUND_DIR "/..").toStdString();
    Form1 form(Form1Services{me1, me2, mm3, prompts, shell, clock, folder});
    auto* box = form.findChild<TypingBoxWidget*>(QStringLiteral("R2"));
    for (auto _ : bench)
        QTest::keyClick(box, Qt::Key_A);
}
BENCHMARK(KeyToClick)->Unit(benchmark::kMicrosecond);

// Creating the main window, which creates no media player until a recording comes.
void CreateMainWindow(benchmark::State& bench) {
    for (auto _ : bench) {
        Form1Fixture f;
        QApplication::processEvents();
    }
}
BENCHMARK(CreateMainWindow)->Unit(benchmark::kMillisecond);

// Opening the history viewer on a 10 MB history file.
void OpenViewerOnLargeHistory(benchmark::State& bench) {
    Form1Fixture f;
    CodePage codePage;
    HistoryFile history(f.folder.filePath(QStringLiteral("user.cey")).toStdString(), codePage);
    const ScoreRecord record{u"学员",   u"9:05:03", u"9:10:15", u"0:5:12",
                             u"24.615", u"120",     u"8",       u"128"};
    const std::string bytes = codePage.encodeText(layoutScoreRecord(record));
    std::string content;
    while (content.size() < 10'000'000)
        content += bytes;
    f.writeFile(QStringLiteral("user.cey"),
                QByteArray(content.data(), static_cast<qsizetype>(content.size())));
    for (auto _ : bench) {
        f.trigger("See");
        QApplication::processEvents();
        for (Dialog1* viewer : f.form->findChildren<Dialog1*>())
            viewer->close();
        QApplication::processEvents();
    }
}
BENCHMARK(OpenViewerOnLargeHistory)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
