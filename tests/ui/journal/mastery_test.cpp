// 学习统计 → 掌握情况 on the real main window: the course's kanji coloured from
// the journal, a lesson's title loading it, and its practice of kanji not yet
// held in 看读音写汉字.
#include "classroom/class_plan.h"
#include "records/journal.h"
#include "review/iso_time.h"
#include "review/review_keeper.h"
#include "tests/support/form1_fixture.h"
#include "tests/support/journal_rows.h"
#include "ui/dialogs/score_dialog.h"
#include "ui/journal/journal_hook.h"
#include "ui/journal/kanji_grid.h"
#include "ui/journal/mastery_hook.h"
#include "ui/journal/mastery_page.h"
#include "ui/journal/statistics_window.h"
#include "ui/program.h"
#include "ui/review/practice_calendar.h"
#include "ui/review/qt_day_clock.h"
#include "ui/review/review_hook.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>

namespace {

const QByteArray kPlaces = "J01A\t1\t0\t本\tほん\t本\tほん\n"
                           "J01A\t1\t2\t辞\tじ\t辞書\tじしょ\n"
                           "J01A\t1\t3\t書\tしょ\t辞書\tじしょ\n"
                           "J01A\t2\t7\t雑\tざつ\t雑誌\tざっし\n"
                           "J01A\t2\t8\t誌\tし\t雑誌\tざっし\n"
                           "J01B\t1\t0\t日\tに\t日本\tにほん\n"
                           "J01B\t1\t1\t本\tほん\t日本\tにほん\n"
                           "J01B\t1\t3\t傘\tかさ\t傘\tかさ\n"
                           "J30A\t1\t0\t駅\tえき\t駅\tえき\n";

} // namespace

class MasteryTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;
    std::string m_journal;

    std::string journalPath() const {
        return f->folder.filePath(QStringLiteral("journal.sqlite3")).toStdString();
    }
    void writeLessons() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"本と辞書。\r\n雑誌です。");
        f->writeLesson(QStringLiteral("ldata/J01B.ORV"), u"日本の傘。");
        f->writeFile(QStringLiteral("ldata/course_kanji.tsv"), kPlaces);
    }
    MasteryHook& attach() {
        writeLessons();
        m_journal = journalPath();
        JournalHook& journal = attachJournal(*f->form, m_journal);
        ReviewHook& review = attachReview(*f->form, journal, std::make_unique<QtDayClock>());
        return attachMastery(
            *f->form, journal, review,
            [this] {
                f->trigger("ModeRecall");
                return true;
            },
            std::make_unique<QtDayClock>());
    }
    MasteryPage* openPage() {
        f->trigger("Stats");
        auto* page = f->form->findChild<MasteryPage*>(QStringLiteral("MasteryPage"));
        if (!page || !page->window()->isVisible())
            qFatal("the mastery page did not open");
        page->window()
            ->findChild<QTabWidget*>(QStringLiteral("StatisticsPages"))
            ->setCurrentWidget(page);
        return page;
    }
    // What hovering the n-th kanji of a lesson's grid shows, as read.
    QString tipOf(MasteryPage* page, int lesson, int n) {
        auto* grid = page->findChildren<KanjiGrid*>().at(lesson);
        QTextDocument tip;
        tip.setHtml(grid->tipAt(grid->cellRect(n).center()));
        return tip.toPlainText();
    }
    QString countsOf(MasteryPage* page, int lesson) {
        return page->findChildren<QLabel*>(QStringLiteral("MasteryLessonCounts"))
            .at(lesson)
            ->text();
    }
    void giveUp() {
        f->prompts.setNextAnswer(true);
        f->trigger("Sav");
        f->form->scoreDialog()->close();
    }

  private slots:
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    // Practice from before the page existed: 本と辞書 typed, 辞 slipped as 時.
    void theJournalColoursTheKanjiAndTheTipTellsWordsAndSlips() {
        writeLessons();
        {
            Journal journal(journalPath());
            QVERIFY(!journal.open().error);
            const JournalAttempt attempt{"J01A",
                                         "第一课 基本课文",
                                         "2026-03-02T10:00:00+08:00",
                                         "2026-03-02T10:01:00+08:00",
                                         {60, 4, 4, 0, 4},
                                         false};
            const JournalMistake slip{2, u"辞", u"時", {"选错汉字", {}}, std::nullopt, true, 1};
            QVERIFY(!journal.record(attempt, {slip}).error);
        }
        attach();
        MasteryPage* page = openPage();
        QCOMPARE(countsOf(page, 0), QStringLiteral("学过 3/7　已掌握 0/7"));
        QCOMPARE(countsOf(page, 1), QStringLiteral("学过 0/1　已掌握 0/1"));
        const QString totals = page->findChild<QLabel*>(QStringLiteral("MasteryTotals"))->text();
        QVERIFY2(totals.contains(QStringLiteral("全部课文</b>　学过 3/8　已掌握 0/8")),
                 qPrintable(totals));
        QVERIFY(totals.contains(QStringLiteral("(下)</b>　学过 0/1")));
        const QString tip = tipOf(page, 0, 1);
        QVERIFY2(tip.contains(QStringLiteral("看原文打过")), qPrintable(tip));
        QVERIFY(tip.contains(QStringLiteral("读音：じ")));
        QVERIFY(tip.contains(QStringLiteral("辞書（じしょ）")));
        QVERIFY2(tip.contains(QStringLiteral("辞 → 時（选错汉字，3月2日）")), qPrintable(tip));
        QVERIFY(tipOf(page, 0, 3).contains(QStringLiteral("还没学到")));
        QVERIFY(page->findChild<QWidget*>(QStringLiteral("MasteryLegend")));
    }

    void aLessonsTitleLoadsIt() {
        attach();
        MasteryPage* page = openPage();
        auto* title = page->findChildren<QLabel*>(QStringLiteral("MasteryLessonTitle")).at(0);
        QVERIFY(title->text().contains(QStringLiteral("href=\"J01B\"")));
        emit title->linkActivated(QStringLiteral("J01B"));
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("日本の傘。"));
        QVERIFY(!page->window()->isVisible());
    }

    // The practice takes the lines with kanji not held and is typed with the
    // kanji hidden; what it reached counts where those lines stand.
    void thePracticeOfKanjiNotHeldCountsInItsLessons() {
        attach();
        MasteryPage* page = openPage();
        QTest::mouseClick(page->findChildren<QPushButton*>(QStringLiteral("MasteryPractice")).at(0),
                          Qt::LeftButton);
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("本と辞書。\n雑誌です。\n日本の傘。"));
        QVERIFY(f->form->findChild<QAction*>(QStringLiteral("ModeRecall"))->isChecked());
        f->commit(QStringLiteral("本と辞書。"));
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        f->commit(QStringLiteral("雑誌です。"));
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        f->commit(QStringLiteral("目本の"));
        giveUp();
        QCOMPARE(journalRows(m_journal, QStringLiteral("SELECT mode, title FROM attempts")),
                 QStringLiteral("recall|掌握练习：第一课"));
        QCOMPARE(journalRows(m_journal, QStringLiteral("SELECT expected, typed FROM mistakes")),
                 QStringLiteral("日本|目本"));
        // Its lines stand elsewhere in their lessons: it makes no cards of its own.
        QCOMPARE(journalRows(m_journal, QStringLiteral("SELECT count(*) FROM cards")),
                 QStringLiteral("0"));
        page = openPage();
        QVERIFY(tipOf(page, 0, 0).contains(QStringLiteral("看读音写出过")));
        QVERIFY(tipOf(page, 0, 4).contains(QStringLiteral("看读音写出过")));
        QVERIFY2(tipOf(page, 0, 5).contains(QStringLiteral("看原文打过")), "日 slipped");
        QVERIFY2(tipOf(page, 0, 6).contains(QStringLiteral("还没学到")), "傘 not reached");
    }

    // A lesson of the class, planned by the teacher, has a group after the course's.
    void theClassLessonsFollowTheCourse() {
        const std::string classFolder = f->folder.filePath(QStringLiteral("class")).toStdString();
        QVERIFY(QDir(f->folder.path()).mkpath(QStringLiteral("class/lessons")));
        f->writeLesson(QStringLiteral("class/lessons/kaiwa.ORV"), u"図書館へ行きます。");
        QVERIFY(
            !writePlan(classFolder, {{"J01B", "", "2026-12-20"}, {"kaiwa", "会话", "2026-12-27"}}));
        attach().showAlso([classFolder] { return classLessonFiles(classFolder); });
        MasteryPage* page = openPage();
        const auto titles = page->findChildren<QLabel*>(QStringLiteral("MasteryLessonTitle"));
        QCOMPARE(titles.size(), 3);
        QVERIFY2(titles.at(2)->text().contains(QStringLiteral("kaiwa")),
                 qPrintable(titles.at(2)->text()));
    }

    void theCalendarTellsTheMinutesOfADay() {
        attach();
        f->trigger("Jlesson1_A");
        f->commit(QStringLiteral("本と"));
        giveUp();
        QWidget* window = openPage()->window();
        auto* reviewPage = window->findChild<QWidget*>(QStringLiteral("ReviewPage"));
        window->findChild<QTabWidget*>(QStringLiteral("StatisticsPages"))
            ->setCurrentWidget(reviewPage);
        auto* calendar =
            reviewPage->findChild<PracticeCalendar*>(QStringLiteral("PracticeCalendar"));
        QVERIFY(calendar);
        // The day the attempt ended, as the journal has it.
        const Day today =
            parseIsoDate(journalRows(m_journal, QStringLiteral("SELECT ended_at FROM attempts"))
                             .toStdString())
                .value_or(0);
        QVERIFY2(calendar->tipFor(today).contains(QStringLiteral("练习 1 次，完成 0 次")),
                 qPrintable(calendar->tipFor(today)));
        QVERIFY(calendar->tipFor(today - 1).contains(QStringLiteral("没有练习")));
    }
};

QTEST_MAIN(MasteryTest)
#include "mastery_test.moc"
