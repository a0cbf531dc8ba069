// The practice journal: writing one ended attempt with 200 mistakes (the
// synchronous commit included), and what the recorder adds to one evaluation.
#include "records/attempt_recorder.h"
#include "records/history_file.h"
#include "records/journal.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <filesystem>
#include <sqlite3.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A journal in a fresh folder under $TMPDIR, removed afterwards.
class BenchJournal {
  public:
    BenchJournal()
        : m_dir(fs::temp_directory_path() / ("orvanta-bench-" + std::to_string(::getpid()))),
          journal((m_dir / "journal.sqlite3").string()) {
        journal.open();
    }
    ~BenchJournal() { fs::remove_all(m_dir); }

  private:
    fs::path m_dir;

  public:
    Journal journal;
};

class Quiet final : public RecorderListener {
    void attemptRecorded(std::int64_t, const JournalAttempt&) override {}
    void journalMovedAside(const std::string&) override {}
    void journalFailed(const std::string&) override {}
    void journalBusy() override {}
};

void WriteAttemptWith200Mistakes(benchmark::State& bench) {
    BenchJournal b;
    const JournalAttempt attempt{"J01A",
                                 "第一课 基本课文",
                                 "2026-03-02T09:05:03+08:00",
                                 "2026-03-02T09:10:15+08:00",
                                 {312, 628, 428, 200, 120.7},
                                 true};
    std::vector<JournalMistake> mistakes;
    for (int i = 0; i < 200; ++i)
        mistakes.push_back({i * 3, std::u16string(1, static_cast<char16_t>(u'あ' + i % 80)), u"x"});
    for (auto _ : bench) {
        const Journal::Written written = b.journal.record(attempt, mistakes);
        if (written.error)
            bench.SkipWithError(written.error->c_str());
        bench.PauseTiming(); // the program checkpoints after the attempt, when nothing waits
        b.journal.checkpointIfDue();
        bench.ResumeTiming();
    }
}
BENCHMARK(WriteAttemptWith200Mistakes)->Unit(benchmark::kMillisecond);

// The checkpoint that follows about every twentieth such attempt.
void CheckpointAfterAttempts(benchmark::State& bench) {
    BenchJournal b;
    std::vector<JournalMistake> mistakes;
    for (int i = 0; i < 200; ++i)
        mistakes.push_back({i * 3, std::u16string(1, static_cast<char16_t>(u'一' + i * 37)), u"x"});
    const JournalAttempt attempt{"J01A", "", "", "", {}, true};
    for (auto _ : bench) {
        bench.PauseTiming();
        for (int i = 0; i < 20; ++i)
            b.journal.record(attempt, mistakes);
        bench.ResumeTiming();
        b.journal.checkpointIfDue();
    }
}
BENCHMARK(CheckpointAfterAttempts)->Unit(benchmark::kMillisecond)->Iterations(10);

// The recorder's share of a keystroke: one wrong evaluation.
void RecordWrongEvaluation(benchmark::State& bench) {
    BenchJournal b;
    Quiet quiet;
    AttemptRecorder recorder(b.journal, quiet);
    const LoadedLesson lesson{"ldata/J01A.ORV", "J01A", "第一课 基本课文", u"", false};
    recorder.lessonLoaded(lesson);
    Pos position = 0;
    for (auto _ : bench) {
        recorder.evaluated(position, u'辞', u'持', false);
        if (++position == 1000) { // an attempt's worth of mistakes, then a new attempt
            bench.PauseTiming();
            recorder.lessonLoaded(lesson);
            position = 0;
            bench.ResumeTiming();
        }
    }
}
BENCHMARK(RecordWrongEvaluation);

// What the window's thread spends when an attempt ends, with 200 mistakes,
// while another program holds the journal's write lock (the attempt then
// waits in memory), and each time the recorder tries again while it is held.
void EndAttemptWhileLocked(benchmark::State& bench) {
    BenchJournal b;
    sqlite3* other = nullptr;
    sqlite3_open_v2(b.journal.path().c_str(), &other, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    Quiet quiet;
    AttemptRecorder recorder(b.journal, quiet);
    const LoadedLesson lesson{"ldata/J01A.ORV", "J01A", "第一课 基本课文", u"", false};
    const auto typeAnAttempt = [&recorder, &lesson] {
        recorder.lessonLoaded(lesson);
        for (Pos i = 0; i < 200; ++i)
            recorder.evaluated(i, u'辞', u'持', false);
    };
    const bool retry = bench.range(0) == 1;
    if (retry) {
        typeAnAttempt();
        recorder.completed({312, 628, 428, 200, 120.7});
    }
    for (auto _ : bench) {
        if (retry) {
            recorder.writeWaiting();
            continue;
        }
        bench.PauseTiming();
        typeAnAttempt();
        bench.ResumeTiming();
        recorder.completed({312, 628, 428, 200, 120.7});
    }
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
}
BENCHMARK(EndAttemptWhileLocked)
    ->ArgName("retry")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// What the window's thread waits when the history file is locked by another
// program for longer than a save takes: the save is refused as busy.
void SaveScoreToLockedHistory(benchmark::State& bench) {
    const fs::path dir =
        fs::temp_directory_path() / ("orvanta-bench-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "user.cey").string();
    const int other = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    ::flock(other, LOCK_EX);
    CodePage codePage;
    HistoryFile history(path, codePage);
    const ScoreRecord record{u"学员", u"09:00:00", u"09:05:00", u"5", u"100", u"98", u"2", u"100"};
    for (auto _ : bench)
        if (history.AppendScoreRecord(record) != FileProblem::Busy)
            bench.SkipWithError("the locked history was written");
    ::close(other);
    fs::remove_all(dir);
}
BENCHMARK(SaveScoreToLockedHistory)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
