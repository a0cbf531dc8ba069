// Opening 学习统计 on a journal of 10,000 attempts and 200,000 mistakes, until
// the window and its chart have been painted.
#include "records/journal.h"
#include "ui/common/font_faces.h"
#include "ui/common/prompts.h"
#include "ui/journal/statistics_window.h"

#include <QApplication>
#include <QChartView>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <benchmark/benchmark.h>

namespace {

// Attempts over a year across the 96 lessons; mistakes on 600 characters of
// the kanji block, typed instead as one of five neighbours.
constexpr const char* kFillSql = R"(
BEGIN;
WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 9999)
INSERT INTO attempts(lesson, title, started_at, ended_at, elapsed_s, total, "right", wrong,
                     speed, completed, name)
SELECT printf('J%02d%s', 1 + (i / 2) % 48, CASE WHEN i % 2 = 0 THEN 'A' ELSE 'B' END),
       printf('第%d课', 1 + (i / 2) % 48),
       strftime('%Y-%m-%dT%H:%M:%S+08:00', 1760000000 + i * 3150, 'unixepoch'),
       strftime('%Y-%m-%dT%H:%M:%S+08:00', 1760000000 + i * 3150 + 300, 'unixepoch'),
       300, 200, 180 + i % 20, 20 - i % 20, 20 + (i % 400) / 10.0, i % 5 != 0, '学员'
FROM n;
WITH RECURSIVE m(j) AS (SELECT 0 UNION ALL SELECT j + 1 FROM m WHERE j < 199999)
INSERT INTO mistakes(attempt_id, position, expected, typed)
SELECT 1 + j % 10000, j % 300, char(19968 + (j * 7919) % 600), char(19968 + (j * 7919) % 600 + j % 5 + 1)
FROM m;
COMMIT;
)";

void OpenStatisticsWindow(benchmark::State& bench) {
    QTemporaryDir folder;
    Journal journal(folder.filePath(QStringLiteral("journal.sqlite3")).toStdString());
    if (journal.open().error ||
        sqlite3_exec(journal.database(), kFillSql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        bench.SkipWithError("cannot build the journal");
        return;
    }
    Prompts prompts;
    for (auto _ : bench) {
        StatisticsWindow window(journal, prompts, nullptr);
        window.refresh();
        window.show();
        // Painted: the window and the chart's view were drawn to the backing store.
        window.repaint();
        window.findChild<QChartView*>()->viewport()->repaint();
        bench.PauseTiming();
        window.close();
        QApplication::processEvents();
        bench.ResumeTiming();
    }
}
BENCHMARK(OpenStatisticsWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
