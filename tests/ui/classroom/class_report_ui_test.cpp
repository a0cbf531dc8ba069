// The class folder from the main window: the progress published after an
// attempt, the hint while the folder cannot be reached, and 班级报告 read from
// real learners' files: sorting, filtering, files it cannot read, the CSV and
// the PDF.
#include "classroom/class_plan.h"
#include "classroom/class_publisher.h"
#include "classroom/learner_progress.h"
#include "classroom/report_output.h"
#include "core/regular_file.h"
#include "tests/support/form1_fixture.h"
#include "ui/classroom/assign_lessons.h"
#include "ui/classroom/class_report_window.h"
#include "ui/dialogs/score_dialog.h"
#include "ui/journal/journal_hook.h"
#include "ui/program.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

class ClassReportUiTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;
    std::unique_ptr<QTemporaryDir> m_class;

    QString classFile(const QString& name) const {
        return m_class->filePath(QStringLiteral("progress/") + name);
    }
    void writeLearner(const std::string& name, std::int64_t attempts, double speed) {
        LearnerProgress p;
        p.learner = name;
        p.publishedAt = "2026-03-09T08:00:00+08:00";
        p.lessons.push_back(
            {"J01A", "第一课 基本课文", attempts, speed, speed, 90, "2026-03-09", 1, 0});
        p.days.push_back({"2026-03-09", attempts, 600});
        QDir().mkpath(m_class->filePath(QStringLiteral("progress")));
        QFile file(classFile(QString::fromStdString(name) + QStringLiteral(".progress")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(writeProgress(p)));
    }
    void attach(const QString& folder) {
        ProgramRun run;
        run.dataFolder = f->folder.path().toStdString();
        run.learner = {{"1", "王明"}, true};
        run.classFolder = folder;
        attachClassroom(
            *f->form,
            attachJournal(*f->form,
                          f->folder.filePath(QStringLiteral("journal.sqlite3")).toStdString()),
            run);
    }
    void completeAttempt() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"ab");
        f->trigger("Jlesson1_A");
        QTest::keyClicks(f->m_r2, QStringLiteral("abc"));
    }
    ClassReportWindow* openReport() {
        f->trigger("ClassReport");
        for (QWidget* w : QApplication::allWidgets())
            if (auto* window = qobject_cast<ClassReportWindow*>(w); window && window->isVisible())
                return window;
        qFatal("班级报告 did not open");
    }
    static QStringList column(QTableWidget* table, int column) {
        QStringList shown;
        for (int row = 0; row < table->rowCount(); ++row)
            if (!table->isRowHidden(row))
                shown << table->item(row, column)->text();
        return shown;
    }
    QString hint() const {
        auto* label = f->form->findChild<QLabel*>(QStringLiteral("Hint"));
        return label->isVisible() ? label->toolTip() : QString();
    }

  private slots:
    void init() {
        f = std::make_unique<Form1Fixture>();
        m_class = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        f.reset();
        m_class.reset();
    }

    void anAttemptIsPublishedIntoTheClassFolder() {
        attach(m_class->path());
        completeAttempt();
        const QString file = classFile(QString::fromStdString(progressFileName("王明", "1")));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile(file).size() > 0 &&
                readClassReport(m_class->path().toStdString(), "2026-03-10").rows.size() == 1,
            10000);
    }

    void anUnreachableFolderIsToldAndPracticeGoesOn() {
        attach(m_class->filePath(QStringLiteral("unplugged")));
        QTRY_VERIFY_WITH_TIMEOUT(hint().contains(QStringLiteral("找不到班级文件夹")), 10000);
        completeAttempt();
        QVERIFY(f->form->scoreDialog()->isVisible());
    }

    void theReportSortsAndFiltersAndNamesWhatItCannotRead() {
        writeLearner("王明", 12, 40.5);
        writeLearner("李华", 3, 22);
        writeLearner("张伟", 101, 35);
        QFile garbage(classFile(QStringLiteral("坏文件.progress")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("PK\x03\x04 not a progress file");
        garbage.close();
        attach(m_class->path());
        ClassReportWindow* report = openReport();
        QCOMPARE(report->objectName(), QStringLiteral("ClassReport"));
        auto* rows = report->findChild<QTableWidget*>(QStringLiteral("ReportTable"));
        rows->sortByColumn(2, Qt::DescendingOrder); // attempts, as numbers: 101 before 12
        QCOMPARE(column(rows, 2), (QStringList{"101", "12", "3"}));
        QInputMethodEvent typed; // as the input method commits it
        typed.setCommitString(QStringLiteral("李"));
        QApplication::sendEvent(report->findChild<QLineEdit*>(QStringLiteral("LearnerFilter")),
                                &typed);
        QCOMPARE(column(rows, 0), QStringList{"李华"});
        auto* unread = report->findChild<QTableWidget*>(QStringLiteral("UnreadTable"));
        QCOMPARE(column(unread, 0), QStringList{"坏文件.progress"});
        auto* reach = report->findChild<QTableWidget*>(QStringLiteral("ReachTable"));
        QCOMPARE(reach->item(0, 2)->text(), QStringLiteral("3"));
    }

    void theReportPrintsToPdfAndExportsTheCsv() {
        writeLearner("王明", 12, 40.5);
        attach(m_class->path());
        ClassReportWindow* report = openReport();
        const QString pdf = m_class->filePath(QStringLiteral("报告.pdf"));
        f->prompts.setNextFile(pdf);
        QTest::mouseClick(report->findChild<QPushButton*>(QStringLiteral("PrintPdf")),
                          Qt::LeftButton);
        QFile printed(pdf);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        QVERIFY(printed.read(5) == "%PDF-");
        const QString csv = m_class->filePath(QStringLiteral("班级.csv"));
        f->prompts.setNextFile(csv);
        QTest::mouseClick(report->findChild<QPushButton*>(QStringLiteral("ExportCsv")),
                          Qt::LeftButton);
        QCOMPARE(std::get<std::string>(readRegularFile(csv.toStdString(), 1 << 20)),
                 reportCsv(report->report()));
    }

    // The teacher's plan: a course lesson and a lesson file, with due dates.
    void assigningLessonsWritesThePlanIntoTheFolder() {
        f->writeLesson(QStringLiteral("周末.ORV"), u"しゅうまつ");
        attach(m_class->path());
        QTest::mouseClick(openReport()->findChild<QPushButton*>(QStringLiteral("Assign")),
                          Qt::LeftButton);
        AssignLessons* assign = nullptr;
        QTRY_VERIFY((assign = qobject_cast<AssignLessons*>(QApplication::activeModalWidget())) ||
                    (assign = f->form->findChild<AssignLessons*>()));
        assign->findChild<QComboBox*>(QStringLiteral("CourseLesson"))->setCurrentIndex(3);
        QTest::mouseClick(assign->findChild<QPushButton*>(QStringLiteral("AddCourseLesson")),
                          Qt::LeftButton);
        f->prompts.setNextFile(f->folder.filePath(QStringLiteral("周末.ORV")));
        QTest::mouseClick(assign->findChild<QPushButton*>(QStringLiteral("AddLessonFile")),
                          Qt::LeftButton);
        assign->findChildren<QDateEdit*>().front()->setDate(QDate(2026, 3, 12));
        QVERIFY(assign->SavePlan_Click());
        const auto plan = readPlan(m_class->path().toStdString());
        QVERIFY(plan);
        QCOMPARE(plan->size(), size_t(2));
        QCOMPARE(plan->at(0).lesson, std::string("J02B"));
        QCOMPARE(plan->at(0).due, std::string("2026-03-12"));
        QCOMPARE(plan->at(1).lesson, std::string("周末"));
        QVERIFY(QFile::exists(m_class->filePath(QStringLiteral("lessons/周末.ORV"))));
    }

    // The learner's side: the plan's lessons with due dates, done once a
    // completed attempt is journalled, and what is due named at start.
    void classLessonsShowDueDatesAndDoneMarks() {
        const QDate today = QDate::currentDate();
        QVERIFY(!writePlan(m_class->path().toStdString(),
                           {{"J01A", "第一课 基本课文", today.toString(Qt::ISODate).toStdString()},
                            {"周末", "我的周末", "2099-01-01"}}));
        attach(m_class->path());
        QVERIFY(hint().contains(QStringLiteral("第一课 基本课文")));
        QVERIFY(!hint().contains(QStringLiteral("我的周末")));
        auto* menu = f->form->findChild<QMenu*>(QStringLiteral("ClassLessons"));
        QVERIFY(menu);
        emit menu->aboutToShow();
        QAction* first = menu->findChild<QAction*>(QStringLiteral("ClassLesson_J01A"));
        QVERIFY(first && first->text().contains(
                             QStringLiteral("截止 %1月%2日").arg(today.month()).arg(today.day())));
        QVERIFY(!first->isChecked());
        completeAttempt();
        emit menu->aboutToShow();
        QVERIFY(menu->findChild<QAction*>(QStringLiteral("ClassLesson_J01A"))->isChecked());
        QVERIFY(!menu->findChild<QAction*>(QStringLiteral("ClassLesson_周末"))->isChecked());
    }
};

QTEST_MAIN(ClassReportUiTest)
#include "class_report_ui_test.moc"
