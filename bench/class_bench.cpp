// The class folder at the scale of a class: a learner's year of daily
// practice (10,000 attempts on the course's lessons, with slips) published
// into the folder, and the class report opened over 40 such learners.
#include "classroom/class_publisher.h"
#include "classroom/class_report.h"
#include "core/regular_file.h"
#include "records/journal.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sqlite3.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kAttempts = 10000;
constexpr int kLearners = 40;

// A year of attempts, about 27 a day over the 96 course lessons, each with a
// few slips, written in one transaction.
void fillYear(const std::string& path) {
    Journal journal(path);
    journal.open();
    sqlite3* db = journal.database();
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* attempt = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO attempts (lesson, title, started_at, ended_at, elapsed_s,"
                       " total, \"right\", wrong, speed, completed) VALUES (?, ?, ?, ?, 300, 600,"
                       " 570, 30, ?, 1)",
                       -1, &attempt, nullptr);
    sqlite3_stmt* slip = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO mistakes (attempt_id, position, expected, typed, kind)"
                       " VALUES (?, ?, ?, ?, ?)",
                       -1, &slip, nullptr);
    const char* kinds[] = {"选错汉字", "写成假名", "漏打", "多打"};
    for (int i = 0; i < kAttempts; ++i) {
        char lesson[8], day[40];
        std::snprintf(lesson, sizeof lesson, "J%02d%c", i % 48 + 1, i % 2 ? 'B' : 'A');
        std::snprintf(day, sizeof day, "2026-%02d-%02dT10:%02d:00+08:00", i / 840 + 1,
                      i / 28 % 28 + 1, i % 28);
        sqlite3_bind_text(attempt, 1, lesson, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(attempt, 2, lesson, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(attempt, 3, day, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(attempt, 4, day, -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(attempt, 5, 60 + i % 40);
        sqlite3_step(attempt);
        sqlite3_reset(attempt);
        for (int s = 0; slip && s < 3; ++s) {
            const char* expected[] = {"会", "は", "を", "見"};
            sqlite3_bind_int64(slip, 1, sqlite3_last_insert_rowid(db));
            sqlite3_bind_int(slip, 2, s * 7);
            sqlite3_bind_text(slip, 3, expected[(i + s) % 4], -1, SQLITE_STATIC);
            sqlite3_bind_text(slip, 4, "x", -1, SQLITE_STATIC);
            sqlite3_bind_text(slip, 5, kinds[(i + s) % 4], -1, SQLITE_STATIC);
            sqlite3_step(slip);
            sqlite3_reset(slip);
        }
    }
    sqlite3_finalize(attempt);
    sqlite3_finalize(slip);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

class ClassAtScale {
  public:
    ClassAtScale()
        : m_dir(fs::temp_directory_path() / ("orvanta-class-bench-" + std::to_string(::getpid()))) {
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "class");
        fillYear(journal());
    }
    ~ClassAtScale() { fs::remove_all(m_dir); }
    std::string journal() const { return (m_dir / "journal.sqlite3").string(); }
    std::string folder() const { return (m_dir / "class").string(); }

  private:
    fs::path m_dir;
};

void PublishAYearOfPractice(benchmark::State& bench) {
    ClassAtScale c;
    for (auto _ : bench)
        if (publishProgress(c.journal(), c.folder(), "王明", progressFileName("王明", "1")))
            bench.SkipWithError("the publish failed");
    const auto file =
        readRegularFile(progressFolder(c.folder()) + "/" + progressFileName("王明", "1"), 1 << 24);
    bench.counters["file_bytes"] = static_cast<double>(
        std::get_if<std::string>(&file) ? std::get<std::string>(file).size() : 0);
}
BENCHMARK(PublishAYearOfPractice)->Unit(benchmark::kMillisecond);

void OpenTheReportOf40Learners(benchmark::State& bench) {
    ClassAtScale c;
    for (int n = 0; n < kLearners; ++n) {
        const std::string name = "学生" + std::to_string(n + 1);
        publishProgress(c.journal(), c.folder(), name, progressFileName(name, std::to_string(n)));
    }
    size_t rows = 0;
    for (auto _ : bench)
        rows = readClassReport(c.folder(), "2026-12-31").rows.size();
    bench.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(OpenTheReportOf40Learners)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
