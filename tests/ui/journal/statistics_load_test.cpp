// 学习统计 on a journal of more attempts than its chart can show apart, what
// it lets go of when closed, and its 复习 page read when it is shown.
#include "records/journal.h"
#include "records/journal_time.h"
#include "tests/support/form1_fixture.h"
#include "ui/journal/progress_chart.h"
#include "ui/journal/statistics_window.h"
#include "ui/program.h"
#include "ui/review/qt_day_clock.h"

#include <QApplication>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimeZone>

class StatisticsLoadTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;

    std::string journalPath() const {
        return f->folder.filePath(QStringLiteral("data/orvanta/journal.sqlite3")).toStdString();
    }

    // `count` attempts of J01A, one every three hours from 2026-01-01.
    void writeAttempts(int count) {
        Journal journal(journalPath());
        QVERIFY(!journal.open().error);
        const QDateTime first(QDate(2026, 1, 1), QTime(0, 0), QTimeZone(8 * 3600));
        for (int i = 0; i < count; ++i) {
            const std::string at = first.addSecs(i * 3 * 3600).toString(Qt::ISODate).toStdString();
            QVERIFY(
                !journal.record({"J01A", "第一课", at, at, {60, 20, 18, 2, 30.0 + i % 7}, true}, {})
                     .error);
        }
    }
    StatisticsWindow* openStatistics() {
        JournalHook& journal = attachJournal(*f->form, journalPath());
        attachReview(*f->form, journal, std::make_unique<QtDayClock>());
        f->trigger("Stats");
        auto* window = f->form->findChild<StatisticsWindow*>();
        if (!window || !window->isVisible())
            qFatal("the statistics window did not open");
        return window;
    }
    QLineSeries* speedLine(StatisticsWindow* window) const {
        return qobject_cast<QLineSeries*>(
            window->findChild<ProgressChart*>(QStringLiteral("ProgressChart"))
                ->chart()
                ->series()[0]);
    }
    QTableWidget* lessons(StatisticsWindow* window) const {
        return window->findChild<QTableWidget*>(QStringLiteral("LessonTable"));
    }

  private slots:
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    // Eight attempts a day for 50 days: 400 attempts, 50 days.
    void moreAttemptsThanTheChartShowsApartAreShownADayAPoint() {
        writeAttempts(400);
        StatisticsWindow* window = openStatistics();
        QLineSeries* speed = speedLine(window);
        QCOMPARE(speed->count(), 50);
        QCOMPARE(speed->at(0).y(), (30.0 + 31 + 32 + 33 + 34 + 35 + 36 + 30) / 8);
        auto* time = qobject_cast<QDateTimeAxis*>(speed->attachedAxes().value(0));
        QVERIFY2(time->titleText().contains(QStringLiteral("一天的平均")),
                 qPrintable(time->titleText()));
        lessons(window)->selectRow(0);
        QCOMPARE(speed->count(), 50);
    }

    void aClosedWindowLetsGoOfItsFiguresAndReadsThemAgainWhenOpened() {
        writeAttempts(3);
        StatisticsWindow* window = openStatistics();
        QCOMPARE(lessons(window)->rowCount(), 1);
        QCOMPARE(speedLine(window)->count(), 3);
        window->close();
        QCOMPARE(lessons(window)->rowCount(), 0);
        QCOMPARE(speedLine(window)->count(), 0);
        f->trigger("Stats");
        QCOMPARE(lessons(window)->rowCount(), 1);
        QCOMPARE(speedLine(window)->count(), 3);
    }

    void theReviewPageShowsTheJournalAsItIsWhenItIsShown() {
        writeAttempts(3);
        StatisticsWindow* window = openStatistics();
        auto* pages = window->findChild<QTabWidget*>(QStringLiteral("StatisticsPages"));
        auto* streak = window->findChild<QLabel*>(QStringLiteral("ReviewStreak"));
        pages->setCurrentIndex(pages->count() - 1);
        QVERIFY2(streak->text().startsWith(QStringLiteral("今天还没有完成练习")),
                 qPrintable(streak->text()));
        window->close();
        Journal journal(journalPath());
        QVERIFY(!journal.open().error);
        const std::string now = isoLocalTime(std::chrono::system_clock::now());
        QVERIFY(!journal.record({"J01A", "第一课", now, now, {60, 20, 18, 2, 30}, true}, {}).error);
        f->trigger("Stats");
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("ReviewPage"));
        QVERIFY2(streak->text().startsWith(QStringLiteral("已连续 1 天完成练习")),
                 qPrintable(streak->text()));
    }
};

QTEST_MAIN(StatisticsLoadTest)
#include "statistics_load_test.moc"
