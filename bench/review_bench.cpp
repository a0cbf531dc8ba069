// The review on a journal of 10,000 cards and 100,000 reviews: making
// today's review, and writing an ended attempt with its words' ratings.
#include "core/utf8.h"
#include "readings/lesson_files.h"
#include "readings/mecab_analyser.h"
#include "records/sqlite_statement.h"
#include "review/card_store.h"
#include "review/iso_time.h"
#include "review/review_keeper.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kCards = 10000;
constexpr int kReviewsPerCard = 10;
const Day kToday = dayOfDate(2026, 12, 9);

class Today final : public DayClock {
    Day today() const override { return kToday; }
};

// Cards on the course's own lines (one character each, spread over every
// lesson), due from 200 days ago to 200 days ahead.
void fillCards(sqlite3* db, LenderLessons& lessons) {
    execute(db, "BEGIN");
    Statement card(db, "INSERT INTO cards(lesson, line, place, word, stability, difficulty,"
                       " last_review, due, reviews, lapses) VALUES (?, ?, ?, ?, 5, 5, ?, ?, ?, 1)");
    Statement rated(db, "INSERT INTO reviews(card_id, day, rating, stability, difficulty, due)"
                        " VALUES (?, ?, 3, 5, 5, ?)");
    int made = 0;
    for (int n = 0; made < kCards; ++n) {
        const std::string name = std::string("J") + char('0' + (n % 48 + 1) / 10) +
                                 char('0' + (n % 48 + 1) % 10) + (n / 48 % 2 ? 'B' : 'A');
        const auto lesson = lessons.read(name);
        if (!lesson || lesson->text.empty())
            continue;
        const std::u16string& text = lesson->text;
        int line = 1, column = 0;
        for (size_t p = size_t(n / 96); p < text.size() && made < kCards; p += 7) {
            if (text[p] == u'\r' || text[p] == u'\n')
                continue;
            line = 1 + int(std::count(text.begin(), text.begin() + long(p), u'\n'));
            column = int(
                p - (text.rfind(u'\n', p) == std::u16string::npos ? 0 : text.rfind(u'\n', p) + 1));
            const Day due = kToday - 200 + (made * 37) % 400;
            card.bind(1, name)
                .bind(2, std::int64_t{line})
                .bind(3, std::int64_t{column})
                .bind(4, toUtf8(text.substr(p, 1)))
                .bind(5, isoDateText(due - 5))
                .bind(6, isoDateText(due))
                .bind(7, std::int64_t{kReviewsPerCard});
            if (card.step() == SQLITE_DONE) {
                const std::int64_t id = sqlite3_last_insert_rowid(db);
                for (int r = 0; r < kReviewsPerCard; ++r) {
                    rated.bind(1, id)
                        .bind(2, isoDateText(due - 5 * (r + 1)))
                        .bind(3, isoDateText(due));
                    rated.step();
                    rated.reset();
                }
                ++made;
            }
            card.reset();
        }
    }
    execute(db, "COMMIT");
}

// A folder of its own, removed at the end; or, with ORVANTA_KEEP_JOURNAL_IN
// set, that folder, whose journal is kept for measuring the program's start-up.
fs::path journalFolder() {
    if (const char* kept = std::getenv("ORVANTA_KEEP_JOURNAL_IN"))
        return fs::absolute(kept);
    return fs::temp_directory_path() / ("orvanta-review-bench-" + std::to_string(::getpid()));
}

class BenchJournal {
  public:
    BenchJournal()
        : m_dir(journalFolder()), m_kept(std::getenv("ORVANTA_KEEP_JOURNAL_IN") != nullptr),
          journal((m_dir / "journal.sqlite3").string()),
          lessons(files, codePage, ORVANTA_PROGRAM_DIR), keeper(journal, lessons, readings, today) {
        fs::current_path(ORVANTA_PROGRAM_DIR); // the course lessons as the program finds them
        journal.open();
        journal.setExtension(&keeper);
        fillCards(journal.database(), lessons);
    }
    ~BenchJournal() {
        if (!m_kept)
            fs::remove_all(m_dir);
    }

  private:
    fs::path m_dir;
    bool m_kept;

  public:
    Journal journal;
    LocalFiles files;
    CodePage codePage;
    LessonFiles lessons;
    MecabAnalyser analyser;
    LoadedReadings readings{analyser};
    Today today;
    ReviewKeeper keeper;
};

BenchJournal& bench() {
    static BenchJournal b;
    return b;
}

void MakeTodaysReview(benchmark::State& state) {
    BenchJournal& b = bench();
    size_t lines = 0;
    for (auto _ : state)
        lines = b.keeper.prepareReview().lineCount;
    state.counters["lines"] = double(lines);
    state.counters["due"] = double(b.keeper.dueToday());
}
BENCHMARK(MakeTodaysReview)->Unit(benchmark::kMillisecond);

// What start-up asks: the cards due and the lines of today's review.
void CountWhatIsDue(benchmark::State& state) {
    BenchJournal& b = bench();
    size_t due = 0, lines = 0;
    for (auto _ : state) {
        due = b.keeper.dueToday();
        lines = b.keeper.dueLines();
    }
    state.counters["due"] = double(due);
    state.counters["lines"] = double(lines);
}
BENCHMARK(CountWhatIsDue)->Unit(benchmark::kMillisecond);

// An attempt of J04A typed with three words missed, for the keeper to rate.
void typeJ04A(BenchJournal& b) {
    b.keeper.lessonLoaded(
        {"ldata/J04A.ORV", "J04A", "第四课 基本课文", b.lessons.read("J04A")->text, false});
    for (Pos p = 0; p < 300; ++p)
        b.keeper.evaluated(p, u'a', u'a', p % 100 != 7);
}

// Writes an attempt of J04A with three words missed, again and again; typed
// each time for the keeper when `rated`.
void writeAttempts(benchmark::State& state, BenchJournal& b, bool rated) {
    const JournalAttempt attempt{"J04A",
                                 "第四课 基本课文",
                                 "2026-12-09T09:05:03+08:00",
                                 "2026-12-09T09:10:15+08:00",
                                 {312, 628, 428, 200, 120.7},
                                 true};
    const std::vector<JournalMistake> mistakes = {
        {7, u"a", u"b"}, {107, u"a", u"b"}, {207, u"a", u"b"}};
    for (auto _ : state) {
        state.PauseTiming();
        b.journal.checkpointIfDue();
        if (rated)
            typeJ04A(b);
        state.ResumeTiming();
        if (const auto written = b.journal.record(attempt, mistakes); written.error)
            state.SkipWithError(written.error->c_str());
    }
}

// An attempt of J04A with three words missed, its cards looked up and rated.
void WriteAttemptWithRatings(benchmark::State& state) {
    writeAttempts(state, bench(), true);
}
BENCHMARK(WriteAttemptWithRatings)->Unit(benchmark::kMillisecond);

// The same attempt written without the review, for comparison.
void WriteAttemptWithoutRatings(benchmark::State& state) {
    BenchJournal& b = bench();
    b.journal.setExtension(nullptr);
    writeAttempts(state, b, false);
    b.journal.setExtension(&b.keeper);
}
BENCHMARK(WriteAttemptWithoutRatings)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
