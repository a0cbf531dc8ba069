#include "core/attempt_record.h"
#include "readings/mecab_analyser.h"
#include "review/card_backfill.h"
#include "review/iso_time.h"
#include "review/review_keeper.h"
#include "review/review_statistics.h"
#include "tests/records/journal_fixture.h"

#include <cstdio>
#include <fstream>

namespace {

class MemoryLessons final : public LenderLessons {
  public:
    std::map<std::string, LenderLesson> lessons;
    std::optional<LenderLesson> read(const std::string& lesson) override {
        const auto found = lessons.find(lesson);
        return found == lessons.end() ? std::nullopt : std::optional(found->second);
    }
};

class SetClock final : public DayClock {
  public:
    Day day = dayOfDate(2026, 3, 2);
    Day today() const override { return day; }
};

const std::u16string kLesson = u"今は七時です。\r\n毎日勉強します。";
const std::string kReviewPath = "/tmp/今日复习.ORV";

// One running program: its journal with the cards beside it.
class Program {
  public:
    Program(const std::string& path, LenderLessons& lessons, Analyser& analyser,
            const SetClock& clock, std::string lessonPath)
        : m_journal(path), m_readings(analyser), m_keeper(m_journal, lessons, m_readings, clock),
          m_clock(clock), m_lessonPath(std::move(lessonPath)) {
        m_journal.setExtension(&m_keeper);
        m_keeper.setOwnLessons(kReviewPath, "/tmp/drill.ORV");
        EXPECT_FALSE(m_journal.open().error);
    }
    // Types J04A as the script says: '<' takes the last character back.
    void typeLesson(const std::u16string& script) {
        type({m_lessonPath, "J04A", "第四课 基本课文", kLesson, false}, script);
    }
    void typeReview(const std::u16string& script) {
        const DailyReview& review = m_keeper.prepareReview();
        ASSERT_EQ(review.lesson.text, u"今は七時です。");
        type({kReviewPath, "", "今日复习.ORV", review.lesson.text, false}, script);
    }
    // The attempt ends while another program keeps the journal locked: the
    // journal takes it later, by record().
    void typeLessonWhileLocked(const std::u16string& script) {
        play({m_lessonPath, "J04A", "第四课 基本课文", kLesson, false}, script);
        m_keeper.completed({});
    }
    void record() {
        const std::string day = isoDateText(m_clock.today());
        const JournalAttempt attempt{"J04A", "t", day + "T10:00:00+08:00", day + "T10:01:00+08:00",
                                     {},     true};
        ASSERT_FALSE(m_journal.record(attempt, {}).error);
    }
    ReviewKeeper& keeper() { return m_keeper; }
    sqlite3* db() const { return m_journal.database(); }

  private:
    void type(const LoadedLesson& loaded, std::u16string_view script) {
        play(loaded, script);
        record();
    }
    // The script's wrong characters are the attempt's slips, corrected when
    // typed right after a take-back.
    void play(const LoadedLesson& loaded, std::u16string_view script) {
        const std::u16string_view lesson = loaded.text;
        m_keeper.lessonLoaded(loaded);
        m_record.begin(loaded, PracticeMode::Text);
        std::map<Pos, Slip> slips;
        Pos at = 0;
        for (char16_t c : script) {
            if (c == u'<') {
                --at;
                continue;
            }
            const char16_t expected = lesson[static_cast<size_t>(at)];
            if (expected != c && expected != u'\r' && expected != u'\n') {
                slips[at].start = at;
                slips[at].expected = std::u16string(1, expected);
                slips[at].typed = std::u16string(1, c);
                slips[at].corrected = false;
            } else if (const auto slip = slips.find(at); slip != slips.end()) {
                slip->second.corrected = true;
            }
            ++at;
        }
        m_record.slips.clear();
        for (const auto& [start, slip] : slips)
            m_record.slips.push_back(slip);
        m_record.reached = at;
        m_keeper.recordChanged(m_record);
    }
    Journal m_journal;
    LoadedReadings m_readings;
    ReviewKeeper m_keeper;
    AttemptRecord m_record;
    const SetClock& m_clock;
    std::string m_lessonPath;
};

class ReviewKeeperTest : public JournalFixture {
  protected:
    ReviewKeeperTest() { m_lessons.lessons["J04A"] = {kLesson, {{u"七時", u"しちじ"}}}; }
    // J04A is read from a file in the test's folder, its corrections beside it.
    std::unique_ptr<Program> program() {
        const auto lesson = m_dir / "J04A.ORV";
        std::ofstream(m_dir / "J04A.yomi") << "七時\tしちじ\n";
        return std::make_unique<Program>(journalPath(), m_lessons, m_analyser, m_clock,
                                         lesson.string());
    }
    // The card of 七時 as the journal holds it.
    Schedule card() const {
        const std::string row = rows("SELECT stability, difficulty, last_review, due, reviews,"
                                     " lapses FROM cards WHERE word = '七時'");
        Schedule s;
        char last[11] = {}, due[11] = {};
        if (std::sscanf(row.c_str(), "%lf|%lf|%10[^|]|%10[^|]|%d|%d", &s.stability, &s.difficulty,
                        last, due, &s.reviews, &s.lapses) != 6)
            ADD_FAILURE() << "no card: " << row;
        s.lastReview = parseIsoDate(last).value_or(-1);
        s.due = parseIsoDate(due).value_or(-1);
        return s;
    }
    // A journal of the version before cards, as the program wrote it then.
    void writeVersion2Journal() {
        std::filesystem::create_directories(std::filesystem::path(journalPath()).parent_path());
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(journalPath().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, R"(
            CREATE TABLE attempts (id INTEGER PRIMARY KEY, lesson TEXT NOT NULL, title TEXT,
                started_at TEXT NOT NULL, ended_at TEXT NOT NULL, elapsed_s INTEGER NOT NULL,
                total INTEGER NOT NULL, "right" INTEGER NOT NULL, wrong INTEGER NOT NULL,
                speed REAL NOT NULL, completed INTEGER NOT NULL, name TEXT,
                mode TEXT NOT NULL DEFAULT 'text');
            CREATE TABLE mistakes (attempt_id INTEGER NOT NULL REFERENCES attempts(id)
                ON DELETE CASCADE, position INTEGER NOT NULL, expected TEXT NOT NULL,
                typed TEXT NOT NULL, kind TEXT, detail TEXT, preedit TEXT, corrected INTEGER);
            INSERT INTO attempts VALUES
                (1, 'J04A', 't', '2026-03-02T10:00:00+08:00', '2026-03-02T10:05:00+08:00',
                 300, 16, 14, 2, 3.2, 1, NULL, 'text'),
                (2, '/gone/lesson.ORV', 't', '2026-03-03T10:00:00+08:00',
                 '2026-03-03T10:05:00+08:00', 300, 16, 14, 2, 3.2, 1, NULL, 'text'),
                (3, 'J04A', 't', '2026-03-09T23:00:00+08:00', '2026-03-09T23:05:00+08:00',
                 300, 16, 16, 0, 3.2, 1, NULL, 'text');
            INSERT INTO mistakes VALUES (1, 3, '時', '持', NULL, NULL, NULL, 0),
                (1, 9, '毎', '日', NULL, '错位', NULL, 0), (1, 12, '強', '強', NULL, NULL, NULL, 1),
                (2, 0, '辞', '持', NULL, NULL, NULL, 0);
            PRAGMA user_version = 2;)",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    MemoryLessons m_lessons;
    MecabAnalyser m_analyser;
    SetClock m_clock;
};

} // namespace

TEST_F(ReviewKeeperTest, AMissedWordComesBackWhenTheSchedulerSaysAndMovesOnOrLapses) {
    auto p = program();
    const Day day1 = m_clock.day;
    p->typeLesson(u"今は八時です。\r\n毎日勉強します。");
    Schedule expected = review({}, Rating::Again, day1);
    EXPECT_EQ(card(), expected);
    EXPECT_EQ(rows("SELECT line, place, word FROM cards"), "1|2|七時");
    EXPECT_EQ(p->keeper().dueToday(), 0u);
    EXPECT_EQ(p->keeper().nextDue(), expected.due);

    m_clock.day = expected.due;
    ASSERT_EQ(p->keeper().dueToday(), 1u);
    p->typeReview(u"今は七時です。");
    expected = review(expected, Rating::Good, m_clock.day);
    EXPECT_EQ(card(), expected);
    EXPECT_GT(expected.due - m_clock.day, 1) << "typed right, it moves to a longer interval";

    m_clock.day = expected.due;
    p->typeReview(u"今は七持です。");
    expected = review(expected, Rating::Again, m_clock.day);
    EXPECT_EQ(card(), expected);
    EXPECT_EQ(expected.lapses, 1);
    EXPECT_EQ(rows("SELECT rating, attempt_id FROM reviews ORDER BY rowid"), "1|1\n3|2\n1|3");
}

TEST_F(ReviewKeeperTest, AnOrdinaryAttemptRatesACardOnlyWhenItIsDue) {
    auto p = program();
    p->typeLesson(u"今は七時です。\r\n毎日勉強します。");
    EXPECT_EQ(rows("SELECT word, reviews FROM cards"), "") << "nothing missed, no card";
    p->typeLesson(u"今は七持<時です。\r\n毎日勉強します。");
    EXPECT_EQ(rows("SELECT word, reviews FROM cards"), "七時|1");
    EXPECT_EQ(rows("SELECT rating FROM reviews"), "2") << "taken back: hard";
    p->typeLesson(u"今は七時です。\r\n毎日勉強します。");
    EXPECT_EQ(rows("SELECT word, reviews FROM cards"), "七時|1") << "not due yet: left alone";
    m_clock.day = card().due;
    p->typeLesson(u"今は七時です。\r\n毎日勉強します。");
    EXPECT_EQ(rows("SELECT word, reviews FROM cards"), "七時|2");
}

TEST_F(ReviewKeeperTest, AClockSetBackOrTwoProgramsLoseAndDoubleNoCard) {
    auto first = program();
    auto second = program();
    first->typeLesson(u"今は八時です。");
    m_clock.day = card().due;
    second->typeReview(u"今は七時です。");
    m_clock.day -= 3;
    first->typeLesson(u"今は八時です。");
    EXPECT_EQ(rows("SELECT count(*), sum(reviews) FROM cards"), "1|3");
    EXPECT_GE(card().lastReview, card().due - 365);
    EXPECT_EQ(card().lastReview, m_clock.day + 3) << "a review never goes back in time";
}

TEST_F(ReviewKeeperTest, AttemptsThatWaitForALockedJournalAreRatedAsTypedOnTheirDay) {
    auto p = program();
    const Day day1 = m_clock.day;
    p->typeLessonWhileLocked(u"今は七持です。\r\n毎日勉強します。");
    m_clock.day = review({}, Rating::Again, day1).due;
    p->typeLessonWhileLocked(u"今は七時です。\r\n毎日勉強します。");
    p->record();
    p->record();
    EXPECT_EQ(rows("SELECT r.attempt_id, r.rating, r.day FROM reviews r ORDER BY r.rowid"),
              "1|1|" + isoDateText(day1) + "\n2|3|" + isoDateText(m_clock.day));
}

TEST_F(ReviewKeeperTest, CardsWaitWhileTheirLessonCannotBeReadAndRetireOnlyWhenItStaysGone) {
    auto p = program();
    p->typeLesson(u"今は八時です。\r\n毎日勉強します。");
    const LenderLesson lesson = m_lessons.lessons["J04A"];
    const auto reviewOn = [&](Day day, bool readable) {
        m_clock.day = day;
        if (readable)
            m_lessons.lessons["J04A"] = lesson;
        else
            m_lessons.lessons.erase("J04A"); // its stick is not plugged in
        return p->keeper().prepareReview().lineCount;
    };
    const Day due = m_clock.day + 30;
    EXPECT_EQ(reviewOn(due, false), 0u);
    EXPECT_EQ(reviewOn(due + 1, false), 0u);
    EXPECT_EQ(reviewOn(due + 2, true), 1u) << "back with its lesson";
    for (Day day : {due + 3, due + 4, due + 5, due + 6})
        EXPECT_EQ(reviewOn(day, false), 0u);
    EXPECT_EQ(rows("SELECT count(*) FROM cards WHERE retired IS NOT NULL"), "0")
        << "missed on four days, but within a few days";
    EXPECT_EQ(reviewOn(due + 20, false), 0u);
    EXPECT_EQ(rows("SELECT count(*) FROM cards WHERE retired IS NULL"), "0")
        << "missed for over two weeks: gone for good";
}

TEST_F(ReviewKeeperTest, CardsOfAnEditedLineAreRetiredAndCounted) {
    auto p = program();
    p->typeLesson(u"今は八時です。\r\n毎日勉強し末す。");
    m_lessons.lessons["J04A"].text = u"今は八時です。\r\n毎日勉強します。";
    m_clock.day += 30;
    EXPECT_EQ(p->keeper().dueToday(), 2u);
    EXPECT_EQ(p->keeper().dueLines(), 2u) << "counted before the lines are read";
    const DailyReview& review = p->keeper().prepareReview();
    EXPECT_EQ(review.lesson.text, u"毎日勉強します。");
    EXPECT_EQ(review.retired.size(), 1u);
    EXPECT_EQ(rows("SELECT word FROM cards WHERE retired IS NOT NULL"), "七時");
    EXPECT_EQ(p->keeper().dueToday(), 1u);
}

TEST_F(ReviewKeeperTest, AnUpgradedJournalGetsCardsFromItsMistakesDayByDay) {
    writeVersion2Journal();
    auto p = program();
    EXPECT_EQ(scalar("PRAGMA user_version"), "4");
    ASSERT_TRUE(p->keeper().makeCardsFromHistory());
    EXPECT_EQ(rows("SELECT word, reviews FROM cards ORDER BY id"), "七時|2\n勉強|2");
    Schedule expected = review({}, Rating::Again, dayOfDate(2026, 3, 2));
    expected = review(expected, Rating::Good, dayOfDate(2026, 3, 9));
    EXPECT_EQ(card(), expected);
    EXPECT_EQ(rows("SELECT rating, day, attempt_id FROM reviews ORDER BY rowid"),
              "1|2026-03-02|1\n2|2026-03-02|1\n3|2026-03-09|3\n3|2026-03-09|3");
    EXPECT_EQ(rows("SELECT count(*) FROM card_backfill"), "0");
    ASSERT_TRUE(program()->keeper().makeCardsFromHistory());
    EXPECT_EQ(rows("SELECT count(*) FROM reviews"), "4") << "made once";
}

// Started where the course cannot be found, the upgrade makes its cards later.
TEST_F(ReviewKeeperTest, CardsFromAnUpgradedJournalWaitForTheCourseLessons) {
    writeVersion2Journal();
    const LenderLesson lesson = m_lessons.lessons["J04A"];
    m_lessons.lessons.erase("J04A");
    auto p = program();
    ASSERT_TRUE(p->keeper().makeCardsFromHistory());
    EXPECT_EQ(rows("SELECT count(*) FROM cards"), "0");
    EXPECT_EQ(rows("SELECT count(*) FROM card_backfill"), "1");
    m_lessons.lessons["J04A"] = lesson;
    ASSERT_TRUE(p->keeper().makeCardsFromHistory());
    EXPECT_EQ(rows("SELECT word, reviews FROM cards ORDER BY id"), "七時|2\n勉強|2");
}

TEST_F(ReviewKeeperTest, TheSummaryCountsDueCardsStatesLapsesAndTheStreak) {
    auto p = program();
    const Day first = m_clock.day;
    p->typeLesson(u"今は八時です。\r\n毎日勉強します。");
    m_clock.day += 1;
    p->typeReview(u"今は八時です。"); // a lapse
    m_clock.day += 1;
    p->typeLesson(u"今は七時です。\r\n毎日免強します。"); // 七時 due and right, 勉強 new
    const ReviewSummary summary = reviewSummary(p->db(), m_clock.day);
    EXPECT_EQ(summary.states.fresh, 1);
    EXPECT_EQ(summary.states.learning, 1);
    EXPECT_EQ(summary.states.relearning + summary.states.review + summary.states.retired, 0);
    ASSERT_EQ(summary.mostLapses.size(), 1u);
    EXPECT_EQ(summary.mostLapses[0].word, u"七時");
    EXPECT_EQ(summary.dueToday, 0);
    EXPECT_EQ(summary.dueThisWeek, 2);
    std::vector<Day> days;
    for (const PractisedDay& d : summary.practisedDays)
        days.push_back(d.day);
    EXPECT_EQ(days, (std::vector<Day>{first, first + 1, first + 2}));
    EXPECT_EQ(summary.streak, 3);
    EXPECT_EQ(reviewSummary(p->db(), m_clock.day + 1).streak, 3) << "today not yet practised";
    EXPECT_EQ(reviewSummary(p->db(), m_clock.day + 2).streak, 0);
}

// An older journal kept a character a mistake: letters typed with the input
// method off over 今は七 (left, or taken back: `lettersTakenBack`), and 毎
// typed as 海, with a card for each word.
std::string olderJournal(int lettersTakenBack) {
    std::string sql = R"(
        INSERT INTO attempts VALUES (1, 'J04A', 't', '2026-03-01T10:00:00+08:00',
            '2026-03-01T10:05:00+08:00', 300, 15, 11, 4, 3.0, 1, NULL, 'text', 0);
        INSERT INTO mistakes VALUES (1, 0, '今', 'i', '其他', NULL, NULL, @, NULL),
            (1, 1, 'は', 'm', '其他', NULL, NULL, @, NULL), (1, 2, '七', 'a', '其他', NULL, NULL, @, NULL),
            (1, 9, '毎', '海', '形近', NULL, NULL, 0, NULL);
        INSERT INTO cards VALUES (1, 'J04A', 1, 0, '今', 1, 5, '2026-03-01', '2026-03-02', 1, 0, NULL),
            (2, 'J04A', 1, 2, '七時', 1, 5, '2026-03-01', '2026-03-02', 1, 0, NULL),
            (3, 'J04A', 2, 0, '毎日', 1, 5, '2026-03-01', '2026-03-02', 1, 0, NULL);
        INSERT INTO slip_rejudge VALUES (1);)";
    for (auto at = sql.find('@'); at != std::string::npos; at = sql.find('@'))
        sql.replace(at, 1, std::to_string(lettersTakenBack));
    return sql;
}

// Judged again, the letters are one slip of their own kind, and only the card
// of a word with a real slip stays.
TEST_F(ReviewKeeperTest, AnOlderJournalsMistakesAreJudgedAgainAsSlipsAndCardsOfShiftsRetire) {
    auto p = program();
    ASSERT_EQ(sqlite3_exec(p->db(), olderJournal(0).c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    const auto rejudged = p->keeper().rejudgeSlips();
    ASSERT_TRUE(rejudged);
    EXPECT_EQ(rejudged->attempts, 1);
    EXPECT_EQ(rejudged->mistakesBefore, 4);
    EXPECT_EQ(rejudged->slipsAfter, 2);
    EXPECT_EQ(rejudged->cardsRetired, 2);
    EXPECT_EQ(rows("SELECT position, line, expected, typed, kind FROM mistakes ORDER BY position"),
              "0|1|今は七|ima|输入法未开\n9|2|毎日|海日|其他");
    EXPECT_EQ(rows("SELECT word FROM cards WHERE retired IS NULL"), "毎日");
    EXPECT_EQ(rows("SELECT count(*) FROM slip_rejudge"), "0");
    EXPECT_EQ(p->keeper().rejudgeSlips()->attempts, 0) << "judged once";
}

// Letters the learner took back stay a slip, still of their own kind: the
// words they stood over were not missed, and their cards retire too.
TEST_F(ReviewKeeperTest, LettersAnOlderJournalSawTakenBackAreNoSlipOfTheWordsAndKeepNoCard) {
    auto p = program();
    ASSERT_EQ(sqlite3_exec(p->db(), olderJournal(1).c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_TRUE(p->keeper().rejudgeSlips());
    EXPECT_EQ(rows("SELECT expected, typed, kind, corrected FROM mistakes ORDER BY position"),
              "今は七|ima|输入法未开|1\n毎日|海日|其他|0");
    EXPECT_EQ(rows("SELECT word FROM cards WHERE retired IS NULL"), "毎日");
}

// A statement that cannot be compiled (its table is not there) fails the
// backfill; the program goes on.
TEST_F(ReviewKeeperTest, ABackfillOnAJournalWithoutItsTableFailsWithoutACrash) {
    std::filesystem::create_directories(std::filesystem::path(journalPath()).parent_path());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(journalPath().c_str(), &db), SQLITE_OK);
    EXPECT_FALSE(makeCardsFromHistory(db, m_lessons, &m_analyser));
    sqlite3_close(db);
}
