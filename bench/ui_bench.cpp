// The main window under load: a keystroke and a phrase committed at a line end
// through the real widgets at two lesson lengths, the first wrong key, a long
// paste, loading a long lesson, and the processor time of a running attempt in
// which nothing is typed. The keys go through the program's own wiring: the
// journal, the mistakes explained and the review attached as at start-up.
#include "bench/bench_support.h"
#include "core/code_page.h"
#include "core/cue_sounds.h"
#include "core/learners.h"
#include "core/lesson_codec.h"
#include "core/local_files.h"
#include "core/user_data_folder.h"
#include "records/history_file.h"
#include "tests/audio/spoken_recording.h"
#include "tests/support/form1_fixture.h"
#include "ui/dialogs/history_viewer.h"
#include "ui/program.h"
#include "ui/review/qt_day_clock.h"
#include "ui/sound/sound_bank.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>
#include <fstream>
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

// The same characters without a single line break.
std::u16string oneLineOfLength(size_t length) {
    const std::u16string line = u"わたしは毎朝七時に起きます。";
    std::u16string text;
    while (text.size() < length)
        text += line;
    text.resize(length);
    return text;
}

// The features the program attaches at start-up beside the fixture's window.
// The journal lies in the fixture's own data folder.
void wireAsTheProgram(Form1Fixture& f) {
    JournalHook& journal =
        attachJournal(*f.form, learnerJournalPath(userDataFolder(), "1"), &attachMistakes(*f.form));
    attachReview(*f.form, journal, std::make_unique<QtDayClock>());
}

// The learner looks at the window a moment before typing; the program's work
// after start-up (or after a lesson loads) has its time.
void pauseAsALearner() {
    QTest::qWait(1500);
}

// The most characters a lesson file the program reads can hold.
constexpr size_t kLargestLesson = kLessonFileLimit / 2 - 1;

// Types the start of a lesson right, a line at a time.
void typeStart(Form1Fixture& f, const std::u16string& text) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u"\r\n", start);
        if (end == std::u16string::npos)
            end = text.size();
        f.commit(QString::fromUtf16(text.data() + start, static_cast<qsizetype>(end - start)));
        if (end < text.size())
            QTest::keyClick(f.m_r2, Qt::Key_Return);
        start = end + 2;
    }
}

// The interface thread's processor time in ms: what a key costs whatever else
// the shared machine runs meanwhile.
double threadMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double median(const std::vector<double>& v) {
    std::vector<double> s = v;
    std::nth_element(s.begin(), s.begin() + static_cast<long>(s.size() / 2), s.end());
    return s[s.size() / 2];
}

double maximum(const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
}

// Sets 设置 → 显示读音 as a benchmark asks; the switch is remembered between runs.
void showReadings(Form1Fixture& f, bool on) {
    if (f.form->findChild<QAction*>(QStringLiteral("Yomi"))->isChecked() != on)
        f.trigger("Yomi");
}

// Sets 设置 → 练习方式 (0 看原文, 1 看读音写汉字, 2 听写), remembered between runs too.
void practiseIn(Form1Fixture& f, std::int64_t mode) {
    f.trigger(mode == 2 ? "ModeDictation" : mode == 1 ? "ModeRecall" : "ModeText");
}

// A recording beside lesson 1 A, so that it can be dictated: a tone is enough.
void writeRecording(Form1Fixture& f) {
    const std::string wav = toneWav(440, 5, 8000);
    f.writeFile(QStringLiteral("ldata/J01A.wma"),
                QByteArray(wav.data(), static_cast<qsizetype>(wav.size())));
}

// A keystroke and a Backspace, each painted before the next key, in a lesson of
// range(0) characters in lines or (range(1) = 1) on one line without a break,
// after range(2) characters were typed right, with (range(3) = 1) or without
// the readings, in 看原文 (range(4) = 0), 看读音写汉字 (1) or 听写 (2). Reports
// the median and the slowest key.
void WidgetKeystroke(benchmark::State& bench) {
    Form1Fixture f;
    wireAsTheProgram(f);
    const auto length = static_cast<size_t>(bench.range(0));
    const bool oneLine = bench.range(1) != 0;
    const std::u16string lesson = oneLine ? oneLineOfLength(length) : lessonOfLength(length);
    showReadings(f, bench.range(3) != 0);
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lesson);
    writeRecording(f);
    f.trigger("Jlesson1_A");
    practiseIn(f, bench.range(4));
    typeStart(f, lesson.substr(0, static_cast<size_t>(bench.range(2))));
    pauseAsALearner();
    std::vector<double> keys, cpu;
    for (auto _ : bench) {
        for (Qt::Key key : {Qt::Key_X, Qt::Key_Backspace}) {
            QElapsedTimer timer;
            timer.start();
            const double cpuBefore = threadMilliseconds();
            QTest::keyClick(f.m_r2, key);
            QApplication::processEvents();
            keys.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            cpu.push_back(threadMilliseconds() - cpuBefore);
        }
    }
    showReadings(f, false);
    practiseIn(f, 0);
    bench.SetItemsProcessed(bench.iterations() * 2);
    bench.counters["median_key_ms"] = median(keys);
    bench.counters["slowest_key_ms"] = maximum(keys);
    const auto over16 = [](const std::vector<double>& v) {
        return static_cast<double>(
            std::count_if(v.begin(), v.end(), [](double k) { return k > 16; }));
    };
    bench.counters["keys_over_16ms"] = over16(keys);
    bench.counters["median_key_cpu_ms"] = median(cpu);
    bench.counters["slowest_key_cpu_ms"] = maximum(cpu);
    bench.counters["keys_over_16ms_cpu"] = over16(cpu);
    bench.counters["keys"] = static_cast<double>(keys.size());
}
BENCHMARK(WidgetKeystroke)
    ->ArgNames({"chars", "one_line", "typed", "readings", "mode"})
    ->Args({500, 0, 250, 0, 0})
    ->Args({32000, 0, 16000, 0, 0})
    ->Args({kLargestLesson, 0, kLargestLesson / 2, 0, 0})
    ->Args({32000, 1, 20, 0, 0})
    ->Args({kLargestLesson, 1, 20, 0, 0})
    ->Args({kLargestLesson, 1, kLargestLesson / 2, 0, 0})
    ->Args({500, 0, 250, 1, 0})
    ->Args({kLargestLesson, 0, kLargestLesson / 2, 1, 0})
    ->Args({32000, 1, 20, 1, 0})
    ->Args({kLargestLesson, 1, 20, 1, 0})
    ->Args({kLargestLesson, 1, kLargestLesson / 2, 1, 0})
    ->Args({500, 0, 250, 0, 1})
    ->Args({32000, 0, 16000, 0, 1})
    ->Args({kLargestLesson, 0, kLargestLesson / 2, 0, 2})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(350);

// A phrase of five characters committed at a line end halfway through the
// lesson, which makes the engine enter the line break and rewrite the typed
// text, then taken back key by key.
void WidgetCommitAtLineEnd(benchmark::State& bench) {
    Form1Fixture f;
    const std::u16string lesson = lessonOfLength(static_cast<size_t>(bench.range(0)));
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lesson);
    f.trigger("Jlesson1_A");
    typeStart(f, lesson.substr(0, lesson.size() / 2));
    const size_t half = lesson.size() / 2;
    const size_t lineEnd = lesson.find(u"\r\n", half);
    f.commit(QString::fromStdU16String(lesson.substr(half, lineEnd - half)));
    const QString phrase = QString::fromStdU16String(lesson.substr(lineEnd + 2, 5));
    for (auto _ : bench) {
        f.commit(phrase);
        for (int i = 0; i < phrase.size() + 1; ++i)
            QTest::keyClick(f.m_r2, Qt::Key_Backspace);
        QApplication::processEvents();
    }
    if (f.form->state().CurPos != static_cast<Pos>(lineEnd))
        bench.SkipWithError("the phrase was not taken back to the line end");
}
BENCHMARK(WidgetCommitAtLineEnd)->Arg(500)->Arg(32000)->Unit(benchmark::kMicrosecond);

// Times one key until the window has answered it, and the interface thread's
// processor time it took.
std::pair<double, double> keyTime(Form1Fixture& f, Qt::Key key) {
    QElapsedTimer timer;
    timer.start();
    const double cpuBefore = threadMilliseconds();
    QTest::keyClick(f.m_r2, key);
    QApplication::processEvents();
    return {static_cast<double>(timer.nsecsElapsed()) / 1e6, threadMilliseconds() - cpuBefore};
}

// The first line of a lesson typed with two slips the learner leaves behind:
// まいあさ committed for 毎朝 and 七時 typed as Latin letters.
void typeFirstLineWithSlips(Form1Fixture& f, bool oneLine) {
    f.commit(QStringLiteral("わたしは"));
    f.preedit(QStringLiteral("まいあさ"));
    f.commit(QStringLiteral("まいあさ"));
    for (Qt::Key key : {Qt::Key_N, Qt::Key_A, Qt::Key_N, Qt::Key_A, Qt::Key_J, Qt::Key_I})
        QTest::keyClick(f.m_r2, key);
    f.commit(QStringLiteral("に起きます。"));
    if (!oneLine)
        QTest::keyClick(f.m_r2, Qt::Key_Return);
}

// A word committed with its kana and taken back by Backspace, each answered
// before the next, in the largest lesson in lines or (range(0) = 1) on one
// line, with two slips left in its first line and the rest typed right up to
// range(1) characters. Through the program's wiring. Reports the median and
// slowest commit and the median Backspace, also in processor time.
void WidgetCommitWithSlipsBehind(benchmark::State& bench) {
    Form1Fixture f;
    wireAsTheProgram(f);
    const bool oneLine = bench.range(0) != 0;
    const std::u16string lesson =
        oneLine ? oneLineOfLength(kLargestLesson) : lessonOfLength(kLargestLesson);
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lesson);
    f.trigger("Jlesson1_A");
    typeFirstLineWithSlips(f, oneLine);
    const std::size_t firstLine = oneLine ? 14 : 16;
    const auto typed = static_cast<std::size_t>(bench.range(1));
    typeStart(f, lesson.substr(firstLine, typed - firstLine));
    const std::u16string word = lesson.substr(typed, 4);
    pauseAsALearner();
    std::vector<double> commits, commitsCpu, keys, keysCpu;
    for (auto _ : bench) {
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = threadMilliseconds();
        f.preedit(QString::fromStdU16String(word));
        f.commit(QString::fromStdU16String(word));
        QApplication::processEvents();
        commits.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        commitsCpu.push_back(threadMilliseconds() - cpuBefore);
        for (std::size_t k = 0; k < word.size(); ++k) {
            const auto [key, keyCpu] = keyTime(f, Qt::Key_Backspace);
            keys.push_back(key);
            keysCpu.push_back(keyCpu);
        }
    }
    bench.counters["median_commit_ms"] = median(commits);
    bench.counters["slowest_commit_ms"] = maximum(commits);
    bench.counters["median_commit_cpu_ms"] = median(commitsCpu);
    bench.counters["median_backspace_ms"] = median(keys);
    bench.counters["median_backspace_cpu_ms"] = median(keysCpu);
}
BENCHMARK(WidgetCommitWithSlipsBehind)
    ->ArgNames({"one_line", "typed"})
    ->Args({0, 40})
    ->Args({0, kLargestLesson / 2})
    ->Args({0, kLargestLesson - 40})
    ->Args({1, 40})
    ->Args({1, kLargestLesson / 2})
    ->Args({1, kLargestLesson - 40})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(100);

// The first wrong key of a session in a lesson of range(0) characters in lines
// or (range(1) = 1) on one line, after its first ten characters were typed
// right; then the first wrong key after the lesson was loaded again.
void FirstWrongKey(benchmark::State& bench) {
    const auto length = static_cast<size_t>(bench.range(0));
    const std::u16string lesson =
        bench.range(1) != 0 ? oneLineOfLength(length) : lessonOfLength(length);
    for (auto _ : bench) {
        Form1Fixture f;
        wireAsTheProgram(f);
        f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lesson);
        pauseAsALearner();
        f.trigger("Jlesson1_A");
        pauseAsALearner();
        f.commit(QString::fromStdU16String(lesson.substr(0, 10)));
        const auto [first, firstCpu] = keyTime(f, Qt::Key_X);
        bench.counters["first_wrong_ms"] = first;
        bench.counters["first_wrong_cpu_ms"] = firstCpu;
        f.prompts.setNextAnswer(true);
        f.trigger("Jlesson1_A");
        pauseAsALearner();
        f.commit(QString::fromStdU16String(lesson.substr(0, 10)));
        const auto [again, againCpu] = keyTime(f, Qt::Key_X);
        bench.counters["after_reload_wrong_ms"] = again;
        bench.counters["after_reload_wrong_cpu_ms"] = againCpu;
    }
}
BENCHMARK(FirstWrongKey)
    ->ArgNames({"chars", "one_line"})
    ->Args({500, 0})
    ->Args({kLargestLesson, 0})
    ->Args({kLargestLesson, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// range(0) characters of the lesson, every hundredth wrong, pasted with
// Ctrl+V at its start; in a lesson of kLargestLesson characters on one line
// or (range(1) = 0) in lines. Times the paste until the window answers again.
void PasteIntoTypingBox(benchmark::State& bench) {
    Form1Fixture f;
    wireAsTheProgram(f);
    const std::u16string lesson =
        bench.range(1) != 0 ? oneLineOfLength(kLargestLesson) : lessonOfLength(kLargestLesson);
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lesson);
    f.trigger("Jlesson1_A");
    pauseAsALearner();
    QString pasted =
        QString::fromStdU16String(lesson.substr(0, static_cast<size_t>(bench.range(0))));
    for (qsizetype i = 99; i < pasted.size(); i += 100)
        pasted[i] = QLatin1Char('x');
    QApplication::clipboard()->setText(pasted);
    for (auto _ : bench) {
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = threadMilliseconds();
        QTest::keyClick(f.m_r2, Qt::Key_V, Qt::ControlModifier);
        QApplication::processEvents();
        bench.counters["paste_ms"] = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        bench.counters["paste_cpu_ms"] = threadMilliseconds() - cpuBefore;
    }
    if (f.m_r2->toPlainText().size() < 1000)
        bench.SkipWithError("the paste did not reach the typing box");
}
BENCHMARK(PasteIntoTypingBox)
    ->ArgNames({"chars", "one_line"})
    ->Args({50000, 1})
    ->Args({50000, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

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

// A lesson load in the window wired as the program, with the readings shown
// (1) or not (0): every feature that reads the lesson's words does its work.
// Two lessons of different text take turns, so that every load is a new lesson.
void LoadLessonAsTheProgram(benchmark::State& bench) {
    Form1Fixture f;
    wireAsTheProgram(f);
    showReadings(f, bench.range(1) != 0);
    const std::u16string text = lessonOfLength(static_cast<size_t>(bench.range(0)));
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), text);
    f.writeLesson(QStringLiteral("ldata/J01B.ORV"), u"今日は" + text.substr(3));
    bool first = true;
    for (auto _ : bench) {
        f.prompts.setNextAnswer(true);
        f.trigger(first ? "Jlesson1_A" : "Jlesson1_B");
        QApplication::processEvents();
        first = !first;
    }
}
BENCHMARK(LoadLessonAsTheProgram)
    ->ArgsProduct({{500, 32000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Pasting range(0) characters at once into the typing box of the largest
// lesson, on one line (range(1) = 1) or in lines, until the window has
// painted them.
void PasteIntoLesson(benchmark::State& bench) {
    Form1Fixture f;
    const std::u16string lesson =
        bench.range(1) != 0 ? oneLineOfLength(kLargestLesson) : lessonOfLength(kLargestLesson);
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lesson);
    QApplication::clipboard()->setText(
        QString::fromStdU16String(oneLineOfLength(static_cast<size_t>(bench.range(0)))));
    for (auto _ : bench) {
        bench.PauseTiming();
        f.prompts.setNextAnswer(true);
        f.trigger("Jlesson1_A");
        QApplication::processEvents();
        bench.ResumeTiming();
        QTest::keyClick(f.m_r2, Qt::Key_V, Qt::ControlModifier);
        QApplication::processEvents();
    }
    if (f.form->state().CurPos < bench.range(0))
        bench.SkipWithError("the paste was not evaluated");
}
BENCHMARK(PasteIntoLesson)
    ->ArgNames({"chars", "one_line"})
    ->Args({50000, 1})
    ->Args({50000, 0})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

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
    const auto form = makeMainWindow(QStringLiteral(ORVANTA_SOUND_DIR "/.."));
    auto* box = form->findChild<TypingBoxWidget*>(QStringLiteral("R2"));
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

const std::string kLastLine = "end of history";

// A history file of `size` bytes of records and a last line, written a record
// at a time so that the bench holds none of it.
void writeHistoryOfRecords(const QString& path, size_t size) {
    CodePage codePage;
    const ScoreRecord record{u"学员",   u"9:05:03", u"9:10:15", u"0:5:12",
                             u"24.615", u"120",     u"8",       u"128"};
    const std::string bytes = codePage.encodeText(layoutScoreRecord(record));
    std::ofstream out(path.toStdString(), std::ios::binary);
    for (size_t written = 0; written < size; written += bytes.size())
        out.write(bytes.data(),
                  static_cast<std::streamsize>(std::min(bytes.size(), size - written)));
    out << "\r\n" << kLastLine << "\r\n";
}

void writeOneLine(const QString& path, size_t size) {
    const std::string line(1024 * 1024, 'x');
    std::ofstream out(path.toStdString(), std::ios::binary);
    for (size_t written = 0; written < size; written += line.size())
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out << "\r\n" << kLastLine << "\r\n";
}

bool showsLastLine(const QPlainTextEdit* box) {
    return box->document()->lastBlock().previous().text().toStdString() == kLastLine;
}

// The scroll bar dragged to its end, one event-loop turn.
double scrollToBottom(QPlainTextEdit* box) {
    QElapsedTimer turn;
    turn.start();
    box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
    QApplication::processEvents();
    return static_cast<double>(turn.nsecsElapsed()) / 1e6;
}

// Opening the history viewer on range(0) MB of records or (range(1) = 1) of
// one line without a break: the time until it shows its first page; then the
// learner drags the scroll bar to the bottom until the file's end is shown:
// the longest such step (the longest the window cannot answer); and Ctrl+End.
// The peak is the process's largest resident size while the viewer is open,
// the rise how far that is above the size before it opened.
void OpenViewerOnLargeHistory(benchmark::State& bench) {
    Form1Fixture f;
    const auto size = static_cast<size_t>(bench.range(0)) * 1024 * 1024;
    const QString path = f.folder.filePath(QStringLiteral("user.cey"));
    if (bench.range(1))
        writeOneLine(path, size);
    else
        writeHistoryOfRecords(path, size);
    const double before = statusMegabytes("VmRSS:");
    resetPeak();
    double shown = 0, longestStep = 0, steps = 0, toEnd = 0;
    for (auto _ : bench) {
        QElapsedTimer timer;
        timer.start();
        f.trigger("See");
        Dialog1* viewer = f.form->findChild<Dialog1*>();
        QApplication::processEvents(); // shows and paints the first page
        shown = std::max(shown, static_cast<double>(timer.nsecsElapsed()) / 1e6);
        auto* box = viewer->findChild<QPlainTextEdit*>(QStringLiteral("R1"));
        for (steps = 0; steps < 2000 && !showsLastLine(box); ++steps)
            longestStep = std::max(longestStep, scrollToBottom(box));
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        timer.restart();
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        QApplication::processEvents();
        toEnd = std::max(toEnd, static_cast<double>(timer.nsecsElapsed()) / 1e6);
        delete viewer;
        QApplication::processEvents();
    }
    bench.counters["shown_ms"] = shown;
    bench.counters["steps_to_end"] = steps;
    bench.counters["longest_step_ms"] = longestStep;
    bench.counters["ctrl_end_ms"] = toEnd;
    bench.counters["peak_MB"] = statusMegabytes("VmHWM:");
    bench.counters["rise_MB"] = statusMegabytes("VmHWM:") - before;
}
BENCHMARK(OpenViewerOnLargeHistory)
    ->ArgNames({"MB", "one_line"})
    ->Args({10, 0})
    ->Args({100, 0})
    ->Args({100, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
