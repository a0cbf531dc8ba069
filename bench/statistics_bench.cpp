// Opening 学习统计 through the program's own menu item and wiring (the journal
// and the review attached to a real main window) on journals of range(0)
// attempts, 20 mistakes each and one review card each: the time until the
// window has been laid out and painted in the event loop (first paint), until
// its 复习 page has been shown and painted too (settled), and the memory the
// process keeps after the window was closed.
#include "bench/bench_support.h"
#include "records/journal.h"
#include "tests/support/form1_fixture.h"
#include "ui/program.h"
#include "ui/review/qt_day_clock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <ctime>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

// Attempts every 52.5 minutes across the 96 lessons (10,000 of them fill a
// year); mistakes on 600 characters of the kanji block, typed instead as one of
// five neighbours, of the six kinds; a card and a review for each attempt.
std::string fillSql(int attempts) {
    const std::string last = std::to_string(attempts - 1);
    const std::string lastMistake = std::to_string(attempts * 20 - 1);
    return R"(
BEGIN;
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < )" +
           last + R"()
INSERT INTO attempts(lesson, title, started_at, ended_at, elapsed_s, total, "right", wrong,
                     speed, completed, name)
SELECT printf('J%02d%s', 1 + (i / 2) % 48, CASE WHEN i % 2 = 0 THEN 'A' ELSE 'B' END),
       printf('第%d课', 1 + (i / 2) % 48),
       strftime('%Y-%m-%dT%H:%M:%S+08:00', 1760000000 + i * 3150, 'unixepoch'),
       strftime('%Y-%m-%dT%H:%M:%S+08:00', 1760000000 + i * 3150 + 300, 'unixepoch'),
       300, 200, 180 + i % 20, 20 - i % 20, 20 + (i % 400) / 10.0, i % 5 != 0, '学员'
FROM n;
WITH RECURSIVE m(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM m WHERE j < )" +
           lastMistake + R"()
INSERT INTO mistakes(attempt_id, position, expected, typed, kind)
SELECT 1 + j / 20, j % 300, char(19968 + (j * 7919) % 600), char(19968 + (j * 7919) % 600 + j % 5 + 1),
       CASE j % 6 WHEN 0 THEN '中文字形' WHEN 1 THEN '写成假名' WHEN 2 THEN '写成汉字'
                  WHEN 3 THEN '选错汉字' WHEN 4 THEN '读音错误' ELSE '其他' END
FROM m;
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < )" +
           last + R"()
INSERT INTO cards(lesson, line, place, word, stability, difficulty, last_review, due, reviews,
                  lapses)
SELECT printf('J%02dA', 1 + i % 48), i % 30, i, printf('単語%d', i), 5, 5,
       date(1760000000 + i * 3150, 'unixepoch'), date(1760000000 + i * 3150 + 86400 * (i % 40), 'unixepoch'),
       1 + i % 7, i % 4
FROM n;
INSERT INTO reviews(card_id, attempt_id, day, rating, stability, difficulty, due)
SELECT id, id, last_review, 1 + id % 4, stability, difficulty, due FROM cards;
COMMIT;
)";
}

bool buildJournal(const std::string& path, int attempts) {
    Journal journal(path);
    return !journal.open().error && sqlite3_exec(journal.database(), fillSql(attempts).c_str(),
                                                 nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The interface thread's processor time in ms.
double threadMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double millisecondsSince(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + static_cast<long>(v.size() / 2), v.end());
    return v[v.size() / 2];
}

// Event-loop passes until the posted work (layouts, chart updates, paints) is done.
void settle() {
    for (int pass = 0; pass < 5; ++pass)
        QApplication::processEvents();
}

void OpenStatisticsWindow(benchmark::State& bench) {
    Form1Fixture f;
    const std::string path = f.folder.filePath(QStringLiteral("journal.sqlite3")).toStdString();
    if (!buildJournal(path, static_cast<int>(bench.range(0)))) {
        bench.SkipWithError("cannot build the journal");
        return;
    }
    JournalHook& journal = attachJournal(*f.form, path);
    attachReview(*f.form, journal, std::make_unique<QtDayClock>());
    f.form->show();
    settle();
    const double before = statusMegabytes("VmRSS:");
    std::vector<double> firstPaint, settled, firstPaintCpu, settledCpu;
    double kept = 0;
    for (auto _ : bench) {
        QElapsedTimer timer;
        timer.start();
        const double cpuBefore = threadMilliseconds();
        f.trigger("Stats");
        QApplication::processEvents(); // shown, laid out and painted
        firstPaint.push_back(millisecondsSince(timer));
        firstPaintCpu.push_back(threadMilliseconds() - cpuBefore);
        auto* window = f.form->findChild<QWidget*>(QStringLiteral("Statistics"));
        auto* pages = window->findChild<QTabWidget*>(QStringLiteral("StatisticsPages"));
        pages->setCurrentIndex(pages->count() - 1); // 复习
        settle();
        settled.push_back(millisecondsSince(timer));
        settledCpu.push_back(threadMilliseconds() - cpuBefore);
        bench.PauseTiming();
        pages->setCurrentIndex(0);
        window->close();
        settle();
        kept = statusMegabytes("VmRSS:") - before;
        bench.ResumeTiming();
    }
    bench.counters["first_paint_ms"] = firstPaint.front();
    bench.counters["settled_ms"] = settled.front();
    bench.counters["again_first_paint_ms"] = median({firstPaint.begin() + 1, firstPaint.end()});
    bench.counters["again_settled_ms"] = median({settled.begin() + 1, settled.end()});
    bench.counters["first_paint_cpu_ms"] = firstPaintCpu.front();
    bench.counters["settled_cpu_ms"] = settledCpu.front();
    bench.counters["kept_after_close_MB"] = kept;
    bench.counters["peak_MB"] = statusMegabytes("VmHWM:");
}
BENCHMARK(OpenStatisticsWindow)
    ->ArgName("attempts")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(30000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);

} // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
