// Opening 掌握情况 on a journal of 10,000 attempts (half of them with the
// kanji hidden), 50,000 slips and 10,000 cards, over the course's kanji as the
// build wrote them, until the page has been painted.
#include "bench/bench_support.h"
#include "core/regular_file.h"
#include "core/utf8.h"
#include "records/journal.h"
#include "records/sqlite_statement.h"
#include "review/course_kanji.h"
#include "review/iso_time.h"
#include "ui/journal/mastery_page.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kAttempts = 10000;
constexpr int kSlips = 50000;
constexpr int kCards = 10000;
const Day kToday = dayOfDate(2026, 12, 1);

std::vector<KanjiPlace> coursePlaces() {
    const auto bytes = readRegularFile(ORVANTA_PROGRAM_DIR "/" + std::string(kCourseKanjiFile),
                                       kCourseKanjiFileLimit);
    const auto* text = std::get_if<std::string>(&bytes);
    return text ? parseKanjiPlaces(*text).places : std::vector<KanjiPlace>{};
}

bool fill(sqlite3* db, const std::vector<KanjiPlace>& places) {
    execute(db, "BEGIN");
    Statement attempt(db, "INSERT INTO attempts(lesson, title, started_at, ended_at, elapsed_s,"
                          " total, \"right\", wrong, speed, completed, mode)"
                          " VALUES (?, 't', ?, ?, 300, 200, 190, 10, 40, ?, ?)");
    for (int i = 0; i < kAttempts; ++i) {
        const KanjiPlace& p = places[static_cast<size_t>(i * 37) % places.size()];
        const std::string day = isoDateText(kToday - 365 + i / 28) + "T10:00:00+08:00";
        attempt.reset();
        attempt.bind(1, p.lesson).bind(2, day).bind(3, day).bind(4, std::int64_t{i % 5 != 0});
        attempt.bind(5, i % 2 ? "recall" : "text");
        if (attempt.step() != SQLITE_DONE)
            return false;
    }
    Statement slip(db, "INSERT INTO mistakes(attempt_id, position, expected, typed, kind)"
                       " VALUES (?, ?, ?, '?', '选错汉字')");
    for (int j = 0; j < kSlips; ++j) {
        const KanjiPlace& p = places[static_cast<size_t>(j * 7919) % places.size()];
        slip.reset();
        slip.bind(1, std::int64_t{1 + j % kAttempts}).bind(2, p.position);
        slip.bind(3, toUtf8(std::u16string(1, p.kanji)));
        if (slip.step() != SQLITE_DONE)
            return false;
    }
    Statement card(db, "INSERT INTO cards(lesson, line, place, word, stability, difficulty,"
                       " last_review, due, reviews, lapses) VALUES (?, ?, ?, ?, ?, 5, ?, ?, 3, 0)");
    for (int k = 0; k < kCards; ++k) {
        const KanjiPlace& p = places[static_cast<size_t>(k * 104729) % places.size()];
        card.reset();
        card.bind(1, p.lesson).bind(2, std::int64_t{p.line}).bind(3, std::int64_t{k});
        card.bind(4, toUtf8(p.word)).bind(5, 1.0 + k % 40);
        card.bind(6, isoDateText(kToday - 10)).bind(7, isoDateText(kToday + k % 60));
        if (card.step() != SQLITE_DONE)
            return false;
    }
    return execute(db, "COMMIT") == SQLITE_OK;
}

void OpenMasteryPage(benchmark::State& bench) {
    const std::vector<KanjiPlace> places = coursePlaces();
    QTemporaryDir folder;
    Journal journal(folder.filePath(QStringLiteral("journal.sqlite3")).toStdString());
    if (places.empty() || journal.open().error || !fill(journal.database(), places)) {
        bench.SkipWithError("cannot read the course's kanji or build the journal");
        return;
    }
    for (auto _ : bench) {
        MasteryPage page(journal, places, [] { return kToday; });
        page.resize(1180, 700);
        page.refresh();
        page.show();
        page.repaint();
        bench.PauseTiming();
        page.close();
        QApplication::processEvents();
        bench.ResumeTiming();
    }
    bench.counters["kanji"] = static_cast<double>(places.size());
}
BENCHMARK(OpenMasteryPage)->Unit(benchmark::kMillisecond)->Iterations(10);

// The journal's part of it alone.
void ReadMastery(benchmark::State& bench) {
    const std::vector<KanjiPlace> places = coursePlaces();
    QTemporaryDir folder;
    Journal journal(folder.filePath(QStringLiteral("journal.sqlite3")).toStdString());
    if (places.empty() || journal.open().error || !fill(journal.database(), places)) {
        bench.SkipWithError("cannot read the course's kanji or build the journal");
        return;
    }
    for (auto _ : bench)
        benchmark::DoNotOptimize(readMastery(journal.database(), places));
}
BENCHMARK(ReadMastery)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    return runWindowBenchmarks(argc, argv);
}
