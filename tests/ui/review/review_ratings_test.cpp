#include "review/iso_time.h"
#include "review/review_keeper.h"
#include "tests/support/form1_fixture.h"
#include "tests/support/journal_rows.h"
#include "ui/program.h"
#include "ui/review/review_hook.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QTest>
#include <sqlite3.h>

namespace {

class SetDay final : public DayClock {
  public:
    explicit SetDay(Day& day) : m_day(day) {}
    Day today() const override { return m_day; }

  private:
    Day& m_day;
};

} // namespace

// 今日复习 rates each card's word from what the learner typed into the real
// main window: input-method commits, Backspace, and the journal's rows.
class ReviewRatingsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;
    Day m_day = 0;

    ReviewHook* m_review = nullptr;

    std::string journalPath() const {
        return f->folder.filePath(QStringLiteral("data/orvanta/journal.sqlite3")).toStdString();
    }
    QString sql(const char* query) const {
        return journalRows(journalPath(), QString::fromUtf8(query));
    }
    // Each commit as the input method sends it, "<" a Backspace; the key
    // after the lesson's last character ends the attempt.
    void typeAttempt(const QStringList& script) {
        for (const QString& step : script) {
            if (step == QStringLiteral("<"))
                QTest::keyClick(f->m_r2, Qt::Key_Backspace);
            else
                f->commit(step);
        }
        QTest::keyClick(f->m_r2, Qt::Key_Return);
    }

  private slots:
    void init() {
        m_day = dayOfDate(2026, 3, 2);
        f = std::make_unique<Form1Fixture>();
        m_review = &attachReview(*f->form, attachJournal(*f->form, journalPath()),
                                 std::make_unique<SetDay>(m_day));
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"今は七時です。");
        // Read as one word: the card is the whole of 七時.
        f->writeFile(QStringLiteral("ldata/J01A.yomi"), QByteArrayLiteral("七時\tしちじ\n"));
    }
    void cleanup() { f.reset(); }

    // F6 answers even with nothing due: no word missed yet, or the review
    // done and the date the next one comes.
    void f6WithNothingDueSaysSo_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("said");
        QTest::newRow("no card yet")
            << QStringLiteral("今は七時です。") << QStringLiteral("还没有要复习的单词");
        QTest::newRow("a card due later")
            << QStringLiteral("今は八時です。") // 七時 missed
            << QStringLiteral("今天的复习完成了。下次复习：2026年3月");
    }
    void f6WithNothingDueSaysSo() {
        QFETCH(QString, typed);
        QFETCH(QString, said);
        f->trigger("Jlesson1_A");
        typeAttempt({typed});
        QTest::keyClick(f->form.get(), Qt::Key_F6);
        auto* hint = f->form->findChild<QLabel*>(QStringLiteral("Hint"));
        QTRY_VERIFY(hint->isVisible());
        QVERIFY2(hint->toolTip().startsWith(said), qPrintable(hint->toolTip()));
        QVERIFY(f->m_r1->text().empty()); // nothing was loaded
    }

    void theReviewRatesTheWordFromTheCommits_data() {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QString>("rating");
        QTest::newRow("right at the first try")
            << QStringList{QStringLiteral("今は"), QStringLiteral("七時"), QStringLiteral("です。")}
            << QStringLiteral("3");
        QTest::newRow("a mistake taken back")
            << QStringList{QStringLiteral("今は"), QStringLiteral("七持"), QStringLiteral("<"),
                           QStringLiteral("時"), QStringLiteral("です。")}
            << QStringLiteral("2");
        QTest::newRow("a wrong character left")
            << QStringList{QStringLiteral("今は"), QStringLiteral("七持"), QStringLiteral("です。")}
            << QStringLiteral("1");
    }
    void theReviewRatesTheWordFromTheCommits() {
        QFETCH(QStringList, script);
        QFETCH(QString, rating);
        f->trigger("Jlesson1_A");
        typeAttempt({QStringLiteral("今は八時です。")});
        QCOMPARE(sql("SELECT lesson, line, place, word FROM cards"),
                 QStringLiteral("J01A|1|2|七時"));
        m_day += 30;
        m_review->showWhatIsDue(); // as the lesson menu does when it opens
        auto* item = f->form->findChild<QAction*>(QStringLiteral("Review"));
        QVERIFY(item->isEnabled());
        item->trigger();
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("今は七時です。"));
        typeAttempt(script);
        QCOMPARE(sql("SELECT a.lesson, r.rating, r.day FROM reviews r"
                     " JOIN attempts a ON a.id = r.attempt_id ORDER BY r.rowid"),
                 QStringLiteral("J01A|1|2026-03-02\n今日复习|%1|2026-04-01").arg(rating));
    }

    // An older journal is brought up to date, and its cards made, after the
    // window is made: start-up does not wait for them.
    void anOlderJournalIsUpgradedAfterTheWindowShows() {
        f.reset();
        f = std::make_unique<Form1Fixture>();
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"今は七時です。");
        QDir().mkpath(QString::fromStdString(journalPath()).section(QLatin1Char('/'), 0, -2));
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(journalPath().c_str(), &db), SQLITE_OK);
        std::string script = R"(
            CREATE TABLE attempts (id INTEGER PRIMARY KEY, lesson TEXT NOT NULL, title TEXT,
                started_at TEXT NOT NULL, ended_at TEXT NOT NULL, elapsed_s INTEGER NOT NULL,
                total INTEGER NOT NULL, "right" INTEGER NOT NULL, wrong INTEGER NOT NULL,
                speed REAL NOT NULL, completed INTEGER NOT NULL, name TEXT,
                mode TEXT NOT NULL DEFAULT 'text');
            CREATE TABLE mistakes (attempt_id INTEGER NOT NULL REFERENCES attempts(id)
                ON DELETE CASCADE, position INTEGER NOT NULL, expected TEXT NOT NULL,
                typed TEXT NOT NULL, kind TEXT, detail TEXT, preedit TEXT, corrected INTEGER);
            PRAGMA user_version = 2;)";
        for (int id = 1; id <= 250; ++id)
            script += "INSERT INTO attempts VALUES (" + std::to_string(id) +
                      ", 'J01A', 't', '2026-03-01T10:00:00+08:00', '2026-03-01T10:05:00+08:00',"
                      " 300, 7, 6, 1, 3.2, 1, NULL, 'text');"
                      "INSERT INTO mistakes VALUES (" +
                      std::to_string(id) + ", 3, '時', '持', NULL, NULL, NULL, 0);";
        QCOMPARE(sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
        m_review = &attachReview(*f->form, attachJournal(*f->form, journalPath()),
                                 std::make_unique<SetDay>(m_day));
        QCOMPARE(sql("PRAGMA user_version"), QStringLiteral("2"));
        QTRY_COMPARE(sql("SELECT count(*) FROM card_backfill"), QStringLiteral("0"));
        QCOMPARE(sql("PRAGMA user_version"), QString::number(Journal::kSchemaVersion));
        // Without the readings' dictionary a card holds the missed character.
        QCOMPARE(sql("SELECT word, reviews FROM cards"), QStringLiteral("時|250"));
    }

    // Started from another folder, or with the lesson unreadable for a
    // moment, the review keeps its cards; the course comes from the
    // program's folder.
    void theReviewKeepsCardsWhoseLessonCannotBeReadNow() {
        f->trigger("Jlesson1_A");
        typeAttempt({QStringLiteral("今は八時です。")});
        m_day += 30;
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        auto* item = f->form->findChild<QAction*>(QStringLiteral("Review"));
        m_review->showWhatIsDue();
        item->trigger();
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("今は七時です。"));
        QFile::rename(f->folder.filePath(QStringLiteral("ldata")),
                      f->folder.filePath(QStringLiteral("ldata-away")));
        f->prompts.setNextAnswer(true); // the message's OK
        item->trigger();
        QVERIFY(f->prompts.asked().back().contains(QStringLiteral("J01A")));
        QCOMPARE(sql("SELECT count(*) FROM cards WHERE retired IS NULL"), QStringLiteral("1"));
        QFile::rename(f->folder.filePath(QStringLiteral("ldata-away")),
                      f->folder.filePath(QStringLiteral("ldata")));
        f->prompts.setNextAnswer(true); // 要学习新的课程吗？
        item->trigger();
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("今は七時です。"));
    }
};

QTEST_MAIN(ReviewRatingsTest)
#include "review_ratings_test.moc"
