#include "records/journal.h"
#include "tests/support/form1_fixture.h"
#include "tests/support/journal_rows.h"
#include "ui/dialogs/name_entry.h"
#include "ui/dialogs/score_dialog.h"
#include "ui/journal/journal_hook.h"
#include "ui/journal/statistics_window.h"
#include "ui/program.h"

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <set>
#include <sqlite3.h>

namespace {

JournalAttempt attempt(const std::string& lesson, const std::string& endedAt, double speed,
                       Pos right = 18) {
    return {lesson, lesson + " 的标题", endedAt, endedAt, {60, 20, right, 20 - right, speed}, true};
}

} // namespace

class StatisticsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;
    JournalHook* m_hook = nullptr;

    std::string journalPath() const {
        return f->folder.filePath(QStringLiteral("data/orvanta/journal.sqlite3")).toStdString();
    }
    // A journal written before the program starts, as earlier runs left it.
    void writeJournal(
        const std::vector<std::pair<JournalAttempt, std::vector<JournalMistake>>>& attempts) {
        Journal journal(journalPath());
        QVERIFY(!journal.open().error);
        for (const auto& [a, mistakes] : attempts)
            QVERIFY(!journal.record(a, mistakes).error);
    }
    void attach() { m_hook = &attachJournal(*f->form, journalPath()); }
    QString sql(const QString& query) const { return journalRows(journalPath(), query); }
    StatisticsWindow* openStatistics() {
        f->trigger("Stats");
        auto* window = f->form->findChild<StatisticsWindow*>();
        if (!window || !window->isVisible())
            qFatal("the statistics window did not open");
        return window;
    }
    QTableWidget* table(StatisticsWindow* window, const char* name) const {
        return window->findChild<QTableWidget*>(QString::fromLatin1(name));
    }
    QStringList column(QTableWidget* t, int c) const {
        QStringList texts;
        for (int r = 0; r < t->rowCount(); ++r)
            texts << t->item(r, c)->text();
        return texts;
    }
    QList<QLineSeries*> series(StatisticsWindow* window) const {
        QList<QLineSeries*> lines;
        for (QAbstractSeries* s :
             window->findChild<QChartView*>(QStringLiteral("ProgressChart"))->chart()->series())
            lines << qobject_cast<QLineSeries*>(s);
        return lines;
    }
    QPushButton* button(QWidget* window, const char* name) const {
        return window->findChild<QPushButton*>(QString::fromLatin1(name));
    }
    // The learner slips on the first character of "ab", takes it back and types on.
    void typeWithATakenBackSlip(const QString& text) {
        QTest::keyClicks(f->m_r2, QStringLiteral("s"));
        QTest::keyClick(f->m_r2, Qt::Key_Backspace);
        QTest::keyClicks(f->m_r2, text);
    }
    void loadLessonAb() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"ab");
        f->trigger("Jlesson1_A");
    }
    void completeLessonAb() {
        loadLessonAb();
        typeWithATakenBackSlip(QStringLiteral("abc"));
        QVERIFY(f->m_r1->toPlainText().isEmpty());
    }

  private slots:
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() {
        f.reset();
        m_hook = nullptr;
    }

    void menuItemsClashWithNoOtherKey() {
        attach();
        auto* again = f->form->findChild<QAction*>(QStringLiteral("Again"));
        auto* stats = f->form->findChild<QAction*>(QStringLiteral("Stats"));
        QCOMPARE(again->text(), QStringLiteral("再练一次(&R)"));
        QCOMPARE(again->shortcut(), QKeySequence(Qt::Key_F5));
        QCOMPARE(stats->text(), QStringLiteral("学习统计(&T)..."));
        QCOMPARE(stats->shortcut(), QKeySequence(Qt::Key_F4));
        std::set<QString> shortcuts;
        int withShortcut = 0;
        for (QAction* action : f->form->findChildren<QAction*>()) {
            if (action->shortcut().isEmpty())
                continue;
            ++withShortcut;
            shortcuts.insert(action->shortcut().toString());
        }
        QCOMPARE(static_cast<int>(shortcuts.size()), withShortcut);
        for (const char* name : {"Lesson", "Score"}) {
            std::set<QChar> keys;
            const auto actions = f->form->findChild<QMenu*>(QString::fromLatin1(name))->actions();
            int withKey = 0;
            for (QAction* action : actions) {
                const qsizetype at = action->text().indexOf(QLatin1Char('&'));
                if (at < 0 || action->objectName() == QStringLiteral("See"))
                    continue; // 查看记录(&S) shares its key with 记录当前成绩(&S) by design
                ++withKey;
                keys.insert(action->text().at(at + 1).toUpper());
            }
            QCOMPARE(static_cast<int>(keys.size()), withKey);
        }
    }

    void tableListsLessonsInCourseOrderAndSorts() {
        writeJournal({{attempt("/home/a/mine.ORV", "2026-03-01T10:00:00+08:00", 70), {}},
                      {attempt("J10A", "2026-03-02T10:00:00+08:00", 40, 16), {}},
                      {attempt("J02B", "2026-03-03T10:00:00+08:00", 50, 20), {}},
                      {attempt("J10A", "2026-03-04T10:00:00+08:00", 30, 18), {}}});
        attach();
        QTableWidget* lessons = table(openStatistics(), "LessonTable");
        QCOMPARE(column(lessons, 0),
                 (QStringList{QStringLiteral("J02B 的标题"), QStringLiteral("J10A 的标题"),
                              QStringLiteral("/home/a/mine.ORV 的标题")}));
        QCOMPARE(lessons->item(1, 1)->text(), QStringLiteral("2"));
        QCOMPARE(lessons->item(1, 2)->text(), QStringLiteral("40.0"));
        QCOMPARE(lessons->item(1, 3)->text(), QStringLiteral("30.0"));
        QCOMPARE(lessons->item(1, 4)->text(), QStringLiteral("90.0%"));
        QCOMPARE(lessons->item(1, 5)->text(), QStringLiteral("90.0%"));
        QCOMPARE(lessons->item(1, 8)->text(), QStringLiteral("2026-03-04"));
        lessons->sortByColumn(2, Qt::DescendingOrder);
        QCOMPARE(column(lessons, 2), (QStringList{QStringLiteral("70.0"), QStringLiteral("50.0"),
                                                  QStringLiteral("40.0")}));
        lessons->sortByColumn(1, Qt::AscendingOrder);
        QCOMPARE(column(lessons, 1).last(), QStringLiteral("2"));
        lessons->sortByColumn(0, Qt::AscendingOrder);
        QCOMPARE(column(lessons, 0).first(), QStringLiteral("J02B 的标题"));
    }

    // Each review has its size in its title; the learner sees one row.
    void reviewsAreOneRowUnderTheReviewsName() {
        JournalAttempt first = attempt("今日复习", "2026-03-02T10:00:00+08:00", 40);
        first.title = "今日复习（7 句）";
        JournalAttempt second = attempt("今日复习", "2026-03-03T10:00:00+08:00", 45);
        second.title = "今日复习（3 句）";
        writeJournal(
            {{first, {}}, {second, {}}, {attempt("J01A", "2026-03-03T11:00:00+08:00", 50), {}}});
        attach();
        QTableWidget* lessons = table(openStatistics(), "LessonTable");
        QCOMPARE(column(lessons, 0),
                 (QStringList{QStringLiteral("J01A 的标题"), QStringLiteral("今日复习")}));
        QCOMPARE(lessons->item(1, 1)->text(), QStringLiteral("2"));
    }

    // The lists of mistakes count every practice mode; with one mode chosen
    // their headings say so.
    void theListsTheModeFilterLeavesSaySo() {
        attach();
        StatisticsWindow* window = openStatistics();
        auto* modes = window->findChild<QComboBox*>(QStringLiteral("ModeFilter"));
        const auto headings = [window] {
            QStringList texts;
            for (QLabel* label : window->findChildren<QLabel*>())
                if (label->text().startsWith(QStringLiteral("最常打错")) ||
                    label->text().startsWith(QStringLiteral("每周错误类型")))
                    texts << label->text();
            return texts;
        };
        QCOMPARE(headings().size(), 2);
        for (const QString& text : headings())
            QVERIFY(!text.contains(QStringLiteral("所有练习方式")));
        modes->setCurrentIndex(2);
        for (const QString& text : headings())
            QVERIFY2(text.endsWith(QStringLiteral("（所有练习方式）")), qPrintable(text));
        modes->setCurrentIndex(0);
        for (const QString& text : headings())
            QVERIFY(!text.contains(QStringLiteral("所有练习方式")));
    }

    // Designed taller than a 1366 × 768 laptop screen leaves it: it fits the
    // screen it opens on, title bar included, as far as it can be made small,
    // and it can be made small enough for that laptop.
    void theWindowFitsTheScreen() {
        attach();
        StatisticsWindow* window = openStatistics();
        const QRect free = window->screen()->availableGeometry();
        const QSize least = window->minimumSizeHint();
        QVERIFY(window->height() <= std::max(free.height() - 48, least.height()));
        QVERIFY(window->width() <= std::max(free.width() - 16, least.width()));
        QVERIFY2(least.height() + 48 <= 768 && least.width() + 16 <= 1366,
                 qPrintable(QStringLiteral("%1 × %2").arg(least.width()).arg(least.height())));
    }

    // At the size a 1366 × 768 screen leaves, no marker is cut by the plot's
    // edge: not at 100 %, nor at the fastest or slowest attempt.
    void everyMarkerStandsWhollyInsideThePlot() {
        writeJournal({{attempt("J01A", "2026-03-02T10:00:00+08:00", 41.2, 20), {}},
                      {attempt("J01A", "2026-03-03T10:00:00+08:00", 61.4, 18), {}},
                      {attempt("J01A", "2026-03-04T10:00:00+08:00", 18.0, 12), {}}});
        attach();
        StatisticsWindow* window = openStatistics();
        window->resize(1220, 720);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto* view = window->findChild<QChartView*>(QStringLiteral("ProgressChart"));
        QTRY_VERIFY(view->chart()->plotArea().height() > 0);
        const qreal radius = 13 / 2.0; // the best attempt's marker
        const QRectF inside = view->chart()->plotArea().adjusted(radius, radius, -radius, -radius);
        for (QLineSeries* line : series(window))
            for (const QPointF& point : line->points()) {
                const QPointF at = view->chart()->mapToPosition(point, line);
                QVERIFY2(inside.contains(at), qPrintable(QStringLiteral("%1 %2 at %3, %4")
                                                             .arg(line->name())
                                                             .arg(point.y())
                                                             .arg(at.x())
                                                             .arg(at.y())));
            }
    }

    void chartShowsAllAttemptsOrTheSelectedLesson() {
        writeJournal({{attempt("J10A", "2026-03-02T10:00:00+08:00", 40), {}},
                      {attempt("J02B", "2026-03-03T10:00:00+08:00", 50, 20), {}},
                      {attempt("J10A", "2026-03-04T10:00:00+08:00", 30), {}}});
        attach();
        StatisticsWindow* window = openStatistics();
        const QList<QLineSeries*> lines = series(window);
        QCOMPARE(lines.size(), 3);
        QLineSeries* speed = lines[0];
        QLineSeries* accuracy = lines[1];
        QCOMPARE(speed->count(), 3);
        QCOMPARE(speed->at(1).y(), 50.0);
        QCOMPARE(accuracy->at(1).y(), 100.0);
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(speed->at(0).x()))
                     .toUTC()
                     .toString(Qt::ISODate),
                 QStringLiteral("2026-03-02T02:00:00Z"));
        QVERIFY(qobject_cast<QDateTimeAxis*>(speed->attachedAxes().value(0)));
        QTableWidget* lessons = table(window, "LessonTable");
        lessons->selectRow(1); // J10A
        QCOMPARE(speed->count(), 2);
        QCOMPARE(speed->at(1).y(), 30.0);
        QTest::mouseClick(button(window, "AllLessons"), Qt::LeftButton);
        QCOMPARE(speed->count(), 3);
    }

    // A four-second give-up at 375 字/分 and a slip taken back, minutes apart.
    void bestFiguresAndTheChartCountOnlyCompletedAttemptsOfTwentyCharacters() {
        JournalAttempt gaveUp = attempt("J01A", "2026-03-02T10:04:00+08:00", 374.99, 20);
        gaveUp.completed = false;
        writeJournal({{attempt("J01A", "2026-03-02T10:00:00+08:00", 40, 20), {{3, u"辞", u"持"}}},
                      {gaveUp, {}}});
        attach();
        StatisticsWindow* window = openStatistics();
        QTableWidget* lessons = table(window, "LessonTable");
        QCOMPARE(lessons->item(0, 1)->text(), QStringLiteral("2"));
        QCOMPARE(lessons->item(0, 2)->text(), QStringLiteral("40.0"));
        QCOMPARE(lessons->item(0, 3)->text(), QStringLiteral("375.0"));
        QCOMPARE(lessons->item(0, 4)->text(), QStringLiteral("100.0%"));
        QCOMPARE(lessons->item(0, 6)->text(), QStringLiteral("95.0%"));
        QCOMPARE(lessons->item(0, 7)->text(), QStringLiteral("100.0%"));
        const QList<QLineSeries*> lines = series(window);
        QCOMPARE(lines[2]->at(0).y(), 95.0);
        QLineSeries* speed = lines[0];
        QCOMPARE(speed->count(), 2);
        const auto size = QXYSeries::PointConfiguration::Size;
        QVERIFY(speed->pointConfiguration(0).value(size).toReal() >
                speed->pointConfiguration(1).value(size).toReal());
        QVERIFY(speed->pointConfiguration(1).contains(QXYSeries::PointConfiguration::Color));
        auto* time = qobject_cast<QDateTimeAxis*>(speed->attachedAxes().value(0));
        const qint64 span = time->min().msecsTo(time->max());
        QVERIFY2(span > 4 * 60 * 1000 && span < 30 * 60 * 1000, qPrintable(QString::number(span)));
        QVERIFY(time->min().toMSecsSinceEpoch() < speed->at(0).x());
        QVERIFY(time->max().toMSecsSinceEpoch() > speed->at(1).x());
    }

    void mostMissedListsCountsAndWhatWasTypedInstead() {
        std::vector<JournalMistake> many;
        for (char16_t ch = u'ア'; ch < u'ア' + 40; ++ch)
            many.push_back({0, std::u16string(1, ch), u"x"});
        writeJournal(
            {{attempt("J01A", "2026-03-02T10:00:00+08:00", 40),
              {{0, u"辞", u"持"}, {3, u"辞", u"時"}, {5, u"辞", u"持"}, {6, u"に", u"\r\n"}}},
             {attempt("J01B", "2026-03-03T10:00:00+08:00", 40), many}});
        attach();
        QTableWidget* missed = table(openStatistics(), "MissedTable");
        QCOMPARE(missed->rowCount(), 30);
        QCOMPARE(missed->item(0, 0)->text(), QStringLiteral("辞 → 持"));
        QCOMPARE(missed->item(0, 1)->text(), QStringLiteral("3"));
        QCOMPARE(missed->item(1, 1)->text(), QStringLiteral("1"));
        QVERIFY(column(missed, 0).contains(QStringLiteral("に → ↵ 换行")));
    }

    void drillLoadsTheCourseLinesOfTheMostMissedCharacters() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"),
                       u"これは本です。\r\nあれは辞書ですか。\r\nいいえ、あれは雑誌です。");
        f->writeLesson(QStringLiteral("ldata/J01B.ORV"), u"辞書はどこですか。\r\n傘です。");
        writeJournal(
            {{attempt("J01A", "2026-03-02T10:00:00+08:00", 40),
              {{0, u"傘", u"愈"}, {1, u"傘", u"愈"}, {2, u"辞", u"持"}, {3, u"雑", u"維"}}}});
        attach();
        StatisticsWindow* window = openStatistics();
        QVERIFY(button(window, "DrillButton")->isEnabled());
        QTest::mouseClick(button(window, "DrillButton"), Qt::LeftButton);
        QCOMPARE(f->m_r1->toPlainText(),
                 QStringLiteral("あれは辞書ですか。\nいいえ、あれは雑誌です。\n傘です。"));
        f->commit(QStringLiteral("あれは辞書ですか。いいえ、あれは雑誌です。傘です。x"));
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        QCOMPARE(sql(QStringLiteral("SELECT lesson, title FROM attempts WHERE id = 2")),
                 QStringLiteral("易错字练习|易错字练习"));
        f->trigger("Again");
        QCOMPARE(f->m_r1->toPlainText(),
                 QStringLiteral("あれは辞書ですか。\nいいえ、あれは雑誌です。\n傘です。"));
    }

    // The drill reads a borrowed line as its lesson does: 七時 is しちじ in J01B,
    // whatever the dictionary says.
    void drillKeepsTheReadingCorrectionsOfTheLinesItBorrows() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"今日は休みです。");
        f->writeLesson(QStringLiteral("ldata/J01B.ORV"), u"七時に起きます。");
        f->writeFile(QStringLiteral("ldata/J01B.yomi"), "七時\tしちじ\n今日\tこんにち\n");
        writeJournal({{attempt("J01B", "2026-03-02T10:00:00+08:00", 40), {{0, u"七", u"八"}}},
                      {attempt("J01A", "2026-03-02T11:00:00+08:00", 40), {{0, u"今", u"令"}}}});
        f->form->findChild<QAction*>(QStringLiteral("Yomi"))->setChecked(true);
        attach();
        QTest::mouseClick(button(openStatistics(), "DrillButton"), Qt::LeftButton);
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("今日は休みです。\n七時に起きます。"));
        auto* romaji = f->form->findChild<QLabel*>(QStringLiteral("Hint"));
        QTRY_VERIFY(romaji->isVisible());
        QCOMPARE(romaji->text(), QStringLiteral("今日：kyou")); // J01B's correction is not J01A's
        f->commit(QStringLiteral("今日は休みです。"));
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        QCOMPARE(romaji->text(), QStringLiteral("七時：shichiji"));
    }

    void drillNeverLoadsAnEmptyLesson() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"これは本です。");
        attach();
        StatisticsWindow* window = openStatistics();
        QPushButton* drill = button(window, "DrillButton");
        QVERIFY(!drill->isEnabled());
        QVERIFY(drill->toolTip().contains(QStringLiteral("还没有打错过的字")));
        window->close();
        writeJournal(
            {{attempt("/x/other.ORV", "2026-03-02T10:00:00+08:00", 40), {{0, u"Ω", u"x"}}}});
        window = openStatistics();
        QVERIFY(button(window, "DrillButton")->isEnabled());
        f->prompts.setNextAnswer(true);
        QTest::mouseClick(button(window, "DrillButton"), Qt::LeftButton);
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        QVERIFY(f->prompts.asked().back().startsWith(QStringLiteral("易错字练习|")));
    }

    void againLoadsTheLastLessonAfterACompletionAndAfterAGiveUp() {
        attach();
        auto* again = f->form->findChild<QAction*>(QStringLiteral("Again"));
        QVERIFY(!again->isEnabled());
        completeLessonAb();
        QVERIFY(again->isEnabled());
        QTest::keyClick(f->form.get(), Qt::Key_F5);
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("ab"));
        typeWithATakenBackSlip(QStringLiteral("a"));
        f->prompts.setNextAnswer(true);
        f->trigger("Sav");
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        f->form->scoreDialog()->close();
        f->trigger("Again");
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("ab"));
        QCOMPARE(sql(QStringLiteral("SELECT lesson, title, completed FROM attempts ORDER BY id")),
                 QStringLiteral("J01A|第一课 基本课文|1\nJ01A|第一课 基本课文|0"));
        QCOMPARE(sql(QStringLiteral("SELECT attempt_id, position, expected, typed FROM mistakes")),
                 QStringLiteral("1|0|a|s\n2|0|a|s"));
    }

    // A slip taken back, a phrase committed across the line end with one wrong
    // character, and the key that completes: the journal keeps both mistakes.
    void mistakesAreRecordedExactlyAsEvaluated() {
        attach();
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"),
                       u"これは本です。\r\nわたしはがくせいです。");
        f->trigger("Jlesson1_A");
        QTest::keyClicks(f->m_r2, QStringLiteral("x"));
        QTest::keyClick(f->m_r2, Qt::Key_Backspace);
        f->commit(QStringLiteral("これは本です。"));
        f->commit(QStringLiteral("わたしはがくせえです。"));
        QTest::keyClicks(f->m_r2, QStringLiteral("x"));
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        QCOMPARE(sql(QStringLiteral("SELECT position, expected, typed FROM mistakes")),
                 QStringLiteral("0|こ|x\n15|せい|せえ"));
        QCOMPARE(sql(QStringLiteral("SELECT total, right, wrong, completed FROM attempts")),
                 QStringLiteral("18|17|1|1"));
    }

    // The journal keeps the speed, the start and the finish the save dialog
    // shows for the attempt, the speed as the number its label reads as.
    void theJournalKeepsTheFiguresTheSaveDialogShows() {
        attach();
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"これは本です。");
        f->trigger("Jlesson1_A");
        f->clock.time = {9, 59, 58};
        f->commit(QStringLiteral("これは"));
        QTRY_COMPARE(f->label("Label11"), QStringLiteral("9:59:58"));
        f->clock.time = {10, 0, 5};
        QTRY_COMPARE(f->label("Label13"), QStringLiteral("10:00:05"));
        QCOMPARE(f->label("Label2"), QStringLiteral("25.714"));
        f->commit(QStringLiteral("本です。"));
        QTest::keyClicks(f->m_r2, QStringLiteral("x")); // the key after the end completes
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        const Dialog* dialog = f->form->scoreDialog();
        QCOMPARE(dialog->figure(DialogLabel::Label2), QStringLiteral("59.999"));
        QCOMPARE(sql(QStringLiteral("SELECT speed FROM attempts")).toDouble(),
                 dialog->figure(DialogLabel::Label2).toDouble());
        QCOMPARE(sql(QStringLiteral(
                     "SELECT substr(started_at, 12, 8), substr(ended_at, 12, 8) FROM attempts")),
                 QStringLiteral("09:59:58|10:00:05"));
        QCOMPARE(dialog->figure(DialogLabel::Label11), QStringLiteral("9:59:58"));
        QCOMPARE(dialog->figure(DialogLabel::Label13), QStringLiteral("10:00:05"));
    }

    void againStartsEnabledWhenAnEarlierRunLeftAnAttempt() {
        writeJournal({{attempt("J01A", "2026-03-02T10:00:00+08:00", 40), {}}});
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"ab");
        attach();
        f->trigger("Again");
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("ab"));
    }

    // Saves the score of the attempt just ended under a name the input method commits.
    void saveScoreAs(const QString& learner) {
        QTest::mouseClick(button(f->form->scoreDialog(), "OKButton"), Qt::LeftButton);
        inputname* entry = nullptr;
        for (QWidget* w : QApplication::allWidgets()) // the save dialog may have no owner
            if (auto* window = qobject_cast<inputname*>(w); window && window->isVisible())
                entry = window;
        QVERIFY(entry);
        QInputMethodEvent name;
        name.setCommitString(learner);
        QApplication::sendEvent(entry->findChild<QLineEdit*>(QStringLiteral("namebox")), &name);
        QTest::mouseClick(button(entry, "Command1"), Qt::LeftButton);
    }

    void savedScoreGivesTheAttemptTheLearnersName() {
        attach();
        completeLessonAb();
        saveScoreAs(QStringLiteral("王芳"));
        QCOMPARE(sql(QStringLiteral("SELECT name FROM attempts")), QStringLiteral("王芳"));
    }

    // Another program holds the journal's write lock from before the start
    // until after the attempt ended and its score was saved: nothing is told,
    // practice goes on, and the attempt is written once, named, when it lets go.
    void aLockedJournalKeepsTheAttemptUntilItIsFree() {
        writeJournal({});
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open_v2(journalPath().c_str(), &other, SQLITE_OPEN_READWRITE, nullptr), 0);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), 0);
        attach();
        completeLessonAb();
        saveScoreAs(QStringLiteral("王芳"));
        QTest::qWait(1500); // a retry or so while still locked
        QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM attempts")), QStringLiteral("0"));
        QVERIFY(f->prompts.asked().empty());
        QCOMPARE(sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr), 0);
        sqlite3_close(other);
        QTRY_COMPARE(sql(QStringLiteral("SELECT name, COUNT(*) FROM attempts")),
                     QStringLiteral("王芳|1"));
        QTest::qWait(1500); // no later retry writes it again
        QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM attempts")), QStringLiteral("1"));
        QVERIFY(f->form->findChild<QAction*>(QStringLiteral("Again"))->isEnabled());
        QVERIFY(f->prompts.asked().empty());
    }

    void journalFaultIsToldOncePerRunAndPracticeGoesOn() {
        QDir(f->folder.path()).mkpath(QStringLiteral("data"));
        f->writeFile(QStringLiteral("data/orvanta"), "a file where the folder should be");
        f->prompts.setNextAnswer(true);
        attach();
        QTRY_COMPARE(f->prompts.asked().size(), size_t{1});
        QVERIFY(f->prompts.asked().front().startsWith(QStringLiteral("练习日志|无法打开或写入")));
        completeLessonAb();
        QVERIFY(f->form->scoreDialog()->isVisible());
        completeLessonAb();
        QTest::qWait(20);
        QCOMPARE(f->prompts.asked().size(), size_t{1});
        QVERIFY(!f->form->findChild<QAction*>(QStringLiteral("Again"))->isEnabled());
    }

    void journalOfGarbageIsMovedAsideAndTold() {
        QDir(f->folder.path()).mkpath(QStringLiteral("data/orvanta"));
        f->writeFile(QStringLiteral("data/orvanta/journal.sqlite3"), QByteArray(5000, 'x'));
        f->prompts.setNextAnswer(true);
        attach();
        QTRY_COMPARE(f->prompts.asked().size(), size_t{1});
        QVERIFY(f->prompts.asked().front().contains(QStringLiteral("journal.sqlite3.broken-")));
        const QStringList files = QDir(f->folder.filePath(QStringLiteral("data/orvanta")))
                                      .entryList({QStringLiteral("journal.sqlite3.broken-*")});
        QCOMPARE(files.size(), 1);
        completeLessonAb();
        QCOMPARE(sql(QStringLiteral("SELECT COUNT(*) FROM attempts")), QStringLiteral("1"));
    }

    // Started from the read-only program folder, the working folder is no
    // place to write: the real folder choice opens in the home folder.
    void exportStartsInTheHomeFolder() {
        attach();
        StatisticsWindow* window = openStatistics();
        QString opened;
        QTimer::singleShot(0, this, [&opened] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            opened = dialog->directory().absolutePath();
            dialog->reject();
        });
        QTest::mouseClick(button(window, "ExportButton"), Qt::LeftButton);
        QCOMPARE(opened, QDir::home().absolutePath());
        QVERIFY(QDir::currentPath() != QDir::homePath());
    }

    void exportWritesAttemptsAndMistakesAsCsv() {
        writeJournal({{attempt("J01A", "2026-03-02T10:00:00+08:00", 40), {{0, u"辞", u"持"}}}});
        attach();
        StatisticsWindow* window = openStatistics();
        QDir(f->folder.path()).mkpath(QStringLiteral("out"));
        f->prompts.setNextFile(f->folder.filePath(QStringLiteral("out")));
        f->prompts.setNextAnswer(true);
        QTest::mouseClick(button(window, "ExportButton"), Qt::LeftButton);
        QFile attempts(f->folder.filePath(QStringLiteral("out/attempts.csv")));
        QFile mistakes(f->folder.filePath(QStringLiteral("out/mistakes.csv")));
        QVERIFY(attempts.open(QIODevice::ReadOnly));
        QVERIFY(mistakes.open(QIODevice::ReadOnly));
        // With a byte order mark, so that spreadsheets in China read UTF-8.
        QVERIFY(attempts.readLine().startsWith("\xEF\xBB\xBFid,lesson,title,started_at"));
        QVERIFY(mistakes.peek(3) == "\xEF\xBB\xBF");
        mistakes.skip(3);
        QVERIFY(attempts.readLine().startsWith("1,J01A,J01A 的标题,"));
        QCOMPARE(QString::fromUtf8(mistakes.readAll()),
                 QStringLiteral("attempt_id,position,expected,typed,kind,detail,preedit,"
                                "corrected\r\n1,0,辞,持,,,,0\r\n"));
        QVERIFY(f->prompts.asked().back().startsWith(QStringLiteral("导出|已导出")));
    }
};

QTEST_MAIN(StatisticsTest)
#include "statistics_test.moc"
