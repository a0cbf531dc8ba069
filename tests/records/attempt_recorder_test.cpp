#include "core/attempt_record.h"
#include "core/utf8.h"
#include "records/attempt_recorder.h"
#include "tests/records/journal_fixture.h"

#include <cctype>
#include <filesystem>
#include <fstream>

namespace {

// Remembers what the recorder reported.
class ListenerLog final : public RecorderListener {
  public:
    void attemptRecorded(std::int64_t id, const JournalAttempt&) override {
        recorded.push_back(id);
    }
    void journalMovedAside(const std::string& movedTo) override { movedAside.push_back(movedTo); }
    void journalFailed(const std::string& reason) override { failures.push_back(reason); }
    void journalBusy() override { ++busy; }

    std::vector<std::int64_t> recorded;
    int busy = 0;
    std::vector<std::string> movedAside;
    std::vector<std::string> failures;
};

const AttemptFigures kFigures{12, 5, 4, 1, 25};

LoadedLesson courseLesson(const char* name, const char* title) {
    return LoadedLesson{std::string("ldata/") + name + ".ORV", name, title, u"わたしは", false};
}

// 2026-03-02T09:05:03+08:00: date, time and UTC offset.
bool isIsoWithOffset(const std::string& text) {
    const std::string form = "dddd-dd-ddTdd:dd:dd+dd:dd";
    if (text.size() != form.size())
        return false;
    for (size_t i = 0; i < form.size(); ++i) {
        const bool ok = form[i] == 'd'   ? std::isdigit(static_cast<unsigned char>(text[i]))
                        : form[i] == '+' ? text[i] == '+' || text[i] == '-'
                                         : text[i] == form[i];
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

class AttemptRecorderTest : public JournalFixture {
  protected:
    void SetUp() override {
        JournalFixture::SetUp();
        m_journal = std::make_unique<Journal>(journalPath());
        m_recorder = std::make_unique<AttemptRecorder>(*m_journal, m_log);
    }
    // Lesson "わたしは\r\nがくせい": a wrong わ taken back and typed right, は
    // typed as わ, then がくせい committed from the kana ぐくせい with く wrong.
    void typeTheLesson(PracticeMode mode = PracticeMode::Text) {
        AttemptObserver& session = *m_recorder;
        session.lessonLoaded(courseLesson("J01A", "第一课 基本课文"));
        m_record.begin(courseLesson("J01A", "第一课 基本课文"), mode);
        m_record.slips = {slip(0, u"わ", u"は", "写成假名", std::nullopt, true),
                          slip(3, u"は", u"わ", "读音错误", std::nullopt, false),
                          slip(7, u"く", u"ぐ", "读音错误", u"ぐくせい", false)};
        session.recordChanged(m_record);
    }
    static Slip slip(Pos start, std::u16string expected, std::u16string typed, const char* kind,
                     std::optional<std::u16string> preedit, bool corrected) {
        Slip made;
        made.start = start;
        made.expected = std::move(expected);
        made.typed = std::move(typed);
        made.preedit = std::move(preedit);
        made.corrected = corrected;
        made.line = start < 6 ? 1 : 2;
        made.explanation.kind = kind == std::string("写成假名") ? MistakeKind::WrittenInKana
                                                                : MistakeKind::WrongReading;
        return made;
    }

    AttemptRecord m_record;
    ListenerLog m_log;
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<AttemptRecorder> m_recorder;
};

TEST_F(AttemptRecorderTest, CompletionWritesEverySlipOfTheRecordCorrectedOrNot) {
    typeTheLesson();
    m_recorder->completed(kFigures);
    ASSERT_EQ(m_log.recorded.size(), 1u);
    EXPECT_TRUE(m_log.failures.empty());
    EXPECT_EQ(rows("SELECT lesson, title, elapsed_s, total, \"right\", wrong, speed, completed,"
                   " name FROM attempts"),
              "J01A|第一课 基本课文|12|5|4|1|25.0|1|NULL");
    EXPECT_EQ(
        rows("SELECT position, line, expected, typed, kind, preedit, corrected FROM mistakes"
             " ORDER BY rowid"),
        "0|1|わ|は|写成假名|NULL|1\n3|1|は|わ|读音错误|NULL|0\n7|2|く|ぐ|读音错误|ぐくせい|0");
}

TEST_F(AttemptRecorderTest, TimesCarryTheDateAndTheUtcOffset) {
    typeTheLesson();
    m_recorder->completed(kFigures);
    const std::string started = scalar("SELECT started_at FROM attempts");
    const std::string ended = scalar("SELECT ended_at FROM attempts");
    EXPECT_TRUE(isIsoWithOffset(started)) << started;
    EXPECT_TRUE(isIsoWithOffset(ended)) << ended;
    EXPECT_EQ(scalar("SELECT julianday(started_at) <= julianday(ended_at) FROM attempts"), "1");
}

// The attempt is written in the mode its record says it was practised in.
TEST_F(AttemptRecorderTest, TheModeIsTheRecords) {
    for (PracticeMode mode : {PracticeMode::Recall, PracticeMode::Dictation, PracticeMode::Text}) {
        typeTheLesson(mode);
        m_recorder->completed(kFigures);
    }
    EXPECT_EQ(rows("SELECT mode FROM attempts ORDER BY id"), "recall\ndictation\ntext");
}

TEST_F(AttemptRecorderTest, GivingUpIsWrittenAsNotCompleted) {
    typeTheLesson();
    m_recorder->gaveUp(kFigures);
    EXPECT_EQ(scalar("SELECT completed FROM attempts"), "0");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM mistakes"), "3");
}

TEST_F(AttemptRecorderTest, EachAttemptKeepsOnlyItsOwnMistakesAndItsOwnLesson) {
    typeTheLesson();
    m_recorder->completed(kFigures);
    m_recorder->lessonLoaded(courseLesson("J02B", "第二课 应用课文"));
    m_record.slips = {slip(0, u"あ", u"お", "读音错误", std::nullopt, false)};
    m_recorder->recordChanged(m_record);
    m_recorder->completed(kFigures); // a load the learner declined reports nothing
    EXPECT_EQ(rows("SELECT a.lesson, COUNT(m.position) FROM attempts a"
                   " LEFT JOIN mistakes m ON m.attempt_id = a.id GROUP BY a.id ORDER BY a.id"),
              "J01A|3\nJ02B|1");
}

TEST_F(AttemptRecorderTest, NothingIsWrittenWithoutALoadedLessonOrTwiceForOneAttempt) {
    m_recorder->recordChanged(m_record);
    m_recorder->completed(kFigures);
    EXPECT_TRUE(m_log.recorded.empty());
    typeTheLesson();
    m_recorder->completed(kFigures);
    m_recorder->gaveUp(kFigures);
    EXPECT_EQ(m_log.recorded.size(), 1u);
}

TEST_F(AttemptRecorderTest, JournalThatCannotBeOpenedIsReportedAndPracticeGoesOn) {
    std::filesystem::create_directories(m_dir / "orvanta" / "journal.sqlite3");
    typeTheLesson();
    m_recorder->completed(kFigures);
    ASSERT_EQ(m_log.failures.size(), 1u);
    EXPECT_TRUE(m_log.recorded.empty());
    std::filesystem::remove(m_dir / "orvanta" / "journal.sqlite3");
    typeTheLesson();
    m_recorder->completed(kFigures);
    EXPECT_EQ(m_log.recorded.size(), 1u) << "the next attempt opens the journal again";
}

// Another program's connection that holds the journal's write lock until it
// lets go, as a long transaction of another program does.
class LockedJournal {
  public:
    explicit LockedJournal(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        lock();
    }
    ~LockedJournal() { sqlite3_close(m_db); }
    void lock() { EXPECT_EQ(sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), 0); }
    void letGo() { EXPECT_EQ(sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr), 0); }

  private:
    sqlite3* m_db = nullptr;
};

// The program starts while the lock is held (and opens the journal without
// needing it), an attempt ends and its score is saved under a name, all
// while locked: they wait and are written once, together, when the lock goes.
// A name saved for a written attempt while locked again waits the same way.
TEST_F(AttemptRecorderTest, WhatEndsWhileAnotherProgramHoldsTheJournalIsWrittenOnceItLetsGo) {
    ASSERT_FALSE(Journal(journalPath()).open().error); // an earlier run made it
    LockedJournal other(journalPath());
    ASSERT_FALSE(m_journal->open().error);
    typeTheLesson();
    m_recorder->completed(kFigures);
    m_recorder->nameLastAttempt("学员");
    EXPECT_FALSE(m_recorder->writeWaiting());
    EXPECT_EQ(m_log.busy, 2);
    EXPECT_TRUE(m_log.recorded.empty());
    EXPECT_TRUE(m_log.failures.empty());
    other.letGo();
    EXPECT_TRUE(m_recorder->writeWaiting());
    EXPECT_TRUE(m_recorder->writeWaiting());
    EXPECT_EQ(m_log.recorded.size(), 1u);
    EXPECT_EQ(rows("SELECT name, COUNT(*) FROM attempts"), "学员|1");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM mistakes"), "3");

    other.lock();
    m_recorder->nameLastAttempt("王芳");
    EXPECT_EQ(m_log.busy, 3);
    other.letGo();
    EXPECT_TRUE(m_recorder->writeWaiting());
    EXPECT_EQ(rows("SELECT name, COUNT(*) FROM attempts"), "王芳|1");
    EXPECT_TRUE(m_log.failures.empty());
}

// The window closes while the journal is still locked: the attempt, its
// slips and its name are kept beside the journal and written by the next run.
TEST_F(AttemptRecorderTest, WhatStillWaitsWhenTheProgramEndsIsWrittenByTheNextRun) {
    ASSERT_FALSE(Journal(journalPath()).open().error);
    LockedJournal other(journalPath());
    ASSERT_FALSE(m_journal->open().error);
    AttemptRecord record;
    record.begin(courseLesson("J01A", "第一课 基本课文"), PracticeMode::Recall);
    Slip wrongKanji;
    wrongKanji.start = 3;
    wrongKanji.expected = u"七時";
    wrongKanji.typed = u"七持";
    wrongKanji.preedit = u"しちじ";
    wrongKanji.explanation = {MistakeKind::WrongKanji, {}};
    wrongKanji.line = 2;
    Slip lineBreak;
    lineBreak.start = 9;
    lineBreak.expected = u"\r\n";
    lineBreak.explanation = {MistakeKind::Missing, {}};
    lineBreak.corrected = true;
    record.slips = {wrongKanji, lineBreak};
    m_recorder->lessonLoaded(record.lesson);
    m_recorder->recordChanged(record);
    m_recorder->completed(kFigures);
    m_recorder->nameLastAttempt("学员");
    EXPECT_FALSE(m_recorder->writeWaiting());
    m_recorder->keepWhatWaits();
    m_recorder.reset();
    m_journal.reset();
    other.letGo();

    Journal journal(journalPath());
    AttemptRecorder nextRun(journal, m_log);
    EXPECT_TRUE(nextRun.writeWaiting());
    EXPECT_EQ(rows("SELECT lesson, title, total, \"right\", wrong, completed, mode, name"
                   " FROM attempts"),
              "J01A|第一课 基本课文|5|4|1|1|recall|学员");
    EXPECT_EQ(rows("SELECT position, expected, typed, kind, preedit, corrected, line"
                   " FROM mistakes ORDER BY rowid"),
              "3|七時|七持|选错汉字|しちじ|0|2\n9|\r\n||漏打|NULL|1|1");
    EXPECT_FALSE(std::filesystem::exists(journalPath() + ".waiting"));
    EXPECT_TRUE(m_log.failures.empty());
}

TEST_F(AttemptRecorderTest, AWaitingFileThatCannotBeMadeOutIsMovedAsideNotLost) {
    std::filesystem::create_directories(std::filesystem::path(journalPath()).parent_path());
    std::ofstream(journalPath() + ".waiting") << "orvanta waiting attempts 1\n4:J01A9:";
    EXPECT_TRUE(takeWaitingAttempts(journalPath()).empty());
    EXPECT_TRUE(std::filesystem::exists(journalPath() + ".waiting.broken"));
}
