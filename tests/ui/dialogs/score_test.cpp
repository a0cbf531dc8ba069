#include "tests/support/form1_fixture.h"
#include "tests/support/journal_rows.h"
#include "ui/dialogs/history_viewer.h"
#include "ui/dialogs/name_entry.h"
#include "ui/dialogs/score_dialog.h"
#include "ui/dialogs/score_keeper.h"
#include "ui/program.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

class ScoreTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;

    QString historyPath() const { return f->folder.filePath(QStringLiteral("user.cey")); }
    QByteArray history() const {
        QFile file(historyPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }
    QAction* action(const char* name) const {
        return f->form->findChild<QAction*>(QString::fromLatin1(name));
    }
    template <typename T> T* child(QObject* parent, const char* name) const {
        return parent->findChild<T*>(QString::fromLatin1(name));
    }
    void startLesson() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"ab");
        if (!f->m_r1->toPlainText().isEmpty())
            f->prompts.setNextAnswer(true);
        f->trigger("Jlesson1_A");
    }
    // Types "ab" then one more character: the dialog appears with 2 right.
    void completeAttempt() {
        startLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("abc"));
        QVERIFY(f->form->scoreDialog()->isVisible());
    }
    // The one on screen: closed ones may still wait for their deletion. The
    // save dialog may have no owner, so all windows are searched.
    template <typename T> T* shown() const {
        for (QWidget* w : QApplication::allWidgets())
            if (auto* window = qobject_cast<T*>(w); window && window->isVisible())
                return window;
        qFatal("the window did not open");
    }
    inputname* pressSave() {
        QTest::mouseClick(child<QPushButton>(f->form->scoreDialog(), "OKButton"), Qt::LeftButton);
        return shown<inputname>();
    }
    void enterName(inputname* entry, const QString& name) {
        QTest::keyClicks(child<QLineEdit>(entry, "namebox"), name);
        QTest::mouseClick(child<QPushButton>(entry, "Command1"), Qt::LeftButton);
    }
    Dialog1* openViewer() {
        f->trigger("See");
        return shown<Dialog1>();
    }

  private slots:
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    // The journal holds the name by the time the history has the score, so
    // that the program ending right after the history's write leaves no
    // attempt unnamed; a score the history cannot take names nothing.
    void theJournalNamesTheAttemptBeforeTheHistoryTakesTheScore() {
        const std::string journal =
            f->folder.filePath(QStringLiteral("data/orvanta/journal.sqlite3")).toStdString();
        const QString query = QStringLiteral("SELECT name FROM attempts");
        QString nameWhenSaved;
        connect(&f->form->parts().scores, &ScoreKeeper::scoreSaved, this,
                [&] { nameWhenSaved = journalRows(journal, query); });
        attachJournal(*f->form, journal);
        QDir(f->folder.path()).mkdir(QStringLiteral("user.cey"));
        completeAttempt();
        f->prompts.setNextAnswer(true); // the failure's OK
        enterName(pressSave(), QStringLiteral("Mei"));
        QCOMPARE(journalRows(journal, query), QStringLiteral("NULL"));
        QDir(f->folder.path()).rmdir(QStringLiteral("user.cey"));
        enterName(pressSave(), QStringLiteral("Mei"));
        QCOMPARE(nameWhenSaved, QStringLiteral("Mei"));
    }

    // A message over the main window (the journal's, at the end of an
    // attempt) leaves the save dialog behind it: F3 brings it back.
    void f3BringsAHiddenSaveDialogBackInFront() {
        completeAttempt();
        QApplication::setActiveWindow(f->form.get());
        QTest::keyClick(f->form.get(), Qt::Key_F3);
        QTRY_COMPARE(QApplication::activeWindow(), f->form->scoreDialog());
    }

    void savingAppendsARecordAndClosesTheDialog() {
        completeAttempt();
        QCOMPARE(f->label("Label9"), QStringLiteral("0"));
        inputname* entry = pressSave();
        QVERIFY(entry);
        enterName(entry, QStringLiteral("Mei"));
        QVERIFY(history().startsWith("\n---**************---\n"));
        QVERIFY(history().contains("Mei\n"));
        QVERIFY(history().endsWith("2\r\n"));
        QVERIFY(action("Delet")->isEnabled());
        QVERIFY(!action("Sav")->isEnabled());
        QTRY_VERIFY(!f->form->scoreDialog());
    }

    // Without a chosen learner the entry starts empty every time: the name
    // saved before is someone else's on a shared PC.
    void theNameEntryStartsEmptyWithoutAChosenLearner() {
        completeAttempt();
        inputname* entry = pressSave();
        enterName(entry, QStringLiteral("Mei"));
        completeAttempt();
        entry = pressSave();
        QVERIFY(child<QLineEdit>(entry, "namebox")->text().isEmpty());
    }

    // The chosen learner's name, selected: typing replaces it, Enter keeps it.
    void theNameEntryOffersTheChosenLearnersName() {
        f->form->parts().scores.offerName(QStringLiteral("Mei"));
        completeAttempt();
        inputname* entry = pressSave();
        auto* namebox = child<QLineEdit>(entry, "namebox");
        QCOMPARE(namebox->text(), QStringLiteral("Mei"));
        QCOMPARE(namebox->selectedText(), QStringLiteral("Mei"));
        enterName(entry, QStringLiteral("Li"));
        QCOMPARE(history().count(":Li\n"), 1);
        completeAttempt();
        entry = pressSave();
        QCOMPARE(child<QLineEdit>(entry, "namebox")->text(), QStringLiteral("Mei"));
        QTest::keyClick(child<QLineEdit>(entry, "namebox"), Qt::Key_Return);
        QCOMPARE(history().count(":Mei\n"), 1);
    }

    void cancellingTheNameEntryWritesNothingAndTheDialogStays() {
        completeAttempt();
        QTest::mouseClick(child<QPushButton>(pressSave(), "Command2"), Qt::LeftButton);
        QCOMPARE(history(), QByteArray("<none>"));
        QVERIFY(f->form->scoreDialog()->isVisible());
        pressSave()->close(); // the close box counts as cancelling too
        QCOMPARE(history(), QByteArray("<none>"));
        enterName(pressSave(), QString());
        QVERIFY(history().contains("\xd1\xa7\xcf\xb0\xd5\xdf:\n")); // 学习者: in GBK, no name
        QVERIFY(f->prompts.asked().empty());
        QTRY_VERIFY(!f->form->scoreDialog());
    }

    void cancelInTheDialogDropsItsFiguresForAFreshOne() {
        completeAttempt();
        QTest::mouseClick(child<QPushButton>(f->form->scoreDialog(), "CancelButton"),
                          Qt::LeftButton);
        QTRY_VERIFY(!f->form->scoreDialog());
        QCOMPARE(history(), QByteArray("<none>"));
        startLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("x"));
        Dialog* fresh = f->form->scoreDialog();
        QVERIFY(fresh && !fresh->isVisible());
        QCOMPARE(fresh->figure(DialogLabel::Label7), QStringLiteral("1"));
        QCOMPARE(fresh->figure(DialogLabel::L3), QStringLiteral("未用"));
        QCOMPARE(fresh->figure(DialogLabel::Label13), QStringLiteral("H:M:S"));
    }

    void savAnsweredNoLeavesTheAttemptAndYesGivesItUp() {
        startLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("a"));
        f->prompts.setNextAnswer(false);
        f->trigger("Sav");
        QCOMPARE(f->prompts.asked().back(), QStringLiteral("提示|你要放弃当前的练习吗？"));
        QCOMPARE(f->typed(), QStringLiteral("a"));
        QVERIFY(!f->form->scoreDialog()->isVisible());
        f->prompts.setNextAnswer(true);
        f->trigger("Sav");
        QVERIFY(f->typed().isEmpty());
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        QCOMPARE(f->label("Label5"), QStringLiteral("0"));
        Dialog* dialog = f->form->scoreDialog();
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isModal());
        QCOMPARE(dialog->figure(DialogLabel::Label5), QStringLiteral("1"));
        QCOMPARE(dialog->figure(DialogLabel::Label2), QStringLiteral("0")); // never ticked here
        const int questions = static_cast<int>(f->prompts.asked().size());
        f->trigger("Sav"); // no lesson any more: nothing happens
        QCOMPARE(static_cast<int>(f->prompts.asked().size()), questions);
    }

    void aDialogLeftOnScreenFollowsTheNextAttempt() {
        completeAttempt();
        Dialog* dialog = f->form->scoreDialog();
        startLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("x"));
        QCOMPARE(f->form->scoreDialog(), dialog);
        QCOMPARE(dialog->figure(DialogLabel::Label7), QStringLiteral("1"));
        f->prompts.setNextAnswer(true);
        f->trigger("Sav");
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QVERIFY(f->typed().isEmpty());
        enterName(pressSave(), QStringLiteral("Jo"));
        QVERIFY(history().contains("Jo"));
    }

    void aFailedWriteIsReportedAndKeepsEverything() {
        QDir(f->folder.path()).mkdir(QStringLiteral("user.cey")); // cannot be opened for writing
        completeAttempt();
        f->prompts.setNextAnswer(true); // the message's OK
        enterName(pressSave(), QStringLiteral("Mei"));
        QVERIFY(f->prompts.asked().back().startsWith(QStringLiteral("保存失败|")));
        QVERIFY(f->form->scoreDialog()->isVisible());
        QCOMPARE(f->form->scoreDialog()->figure(DialogLabel::Label5), QStringLiteral("2"));
        QVERIFY(action("Sav")->isEnabled());
    }

    void theViewerShowsNoRecordsOrTheWholeFile() {
        Dialog1* viewer = openViewer();
        auto* box = child<QPlainTextEdit>(viewer, "R1");
        QCOMPARE(box->toPlainText(), QStringLiteral("没有记录！"));
        QCOMPARE(box->font().pointSizeF(), 22.0);
        QCOMPARE(box->palette().color(QPalette::Text), QColor(255, 0, 0));
        QVERIFY(!child<QPushButton>(viewer, "Clearhistory")->isEnabled());
        viewer->close();
        f->writeFile(QStringLiteral("user.cey"), QByteArray());
        viewer = openViewer();
        QVERIFY(!child<QPushButton>(viewer, "Clearhistory")->isEnabled());
        viewer->close();
        f->writeFile(QStringLiteral("user.cey"), QByteArray("\n---\nline\r\n"));
        viewer = openViewer();
        box = child<QPlainTextEdit>(viewer, "R1");
        QCOMPARE(box->toPlainText(), QStringLiteral("\n---\nline\n"));
        QCOMPARE(box->font().pointSizeF(), 12.0);
        QCOMPARE(box->palette().color(QPalette::Text), QColor(0, 0, 255));
        QVERIFY(child<QPushButton>(viewer, "Clearhistory")->isEnabled());
    }

    // A history of numbered lines is shown a window at a time: the box always
    // holds consecutive lines, at most a window of them, and dragging the
    // scroll bar to an end brings the next page while the line at the top
    // stays; the learner reaches the last line and comes back to the first.
    void aLongHistoryIsReadToItsEndAndBackAsTheLearnerScrolls() {
        constexpr int kLines = 150'000; // about 1.6 MB
        QByteArray content;
        for (int i = 0; i < kLines; ++i)
            content += "record " + QByteArray::number(i) + "\r\n";
        f->writeFile(QStringLiteral("user.cey"), content);
        auto* box = child<QPlainTextEdit>(openViewer(), "R1");
        QScrollBar* bar = box->verticalScrollBar();
        const auto shownRange = [box] {
            const QStringList lines = box->toPlainText().split(u'\n', Qt::SkipEmptyParts);
            for (qsizetype i = 1; i < lines.size(); ++i)
                if (lines[i].mid(7).toInt() != lines[i - 1].mid(7).toInt() + 1)
                    qFatal("line %s follows %s", qPrintable(lines[i]), qPrintable(lines[i - 1]));
            return std::pair(lines.front().mid(7).toInt(), lines.back().mid(7).toInt());
        };
        QCOMPARE(shownRange().first, 0);
        for (int step = 0; shownRange().second < kLines - 1; ++step) {
            QVERIFY(step < 100);
            const QString atBottom = box->document()->findBlockByLineNumber(bar->maximum()).text();
            bar->setValue(bar->maximum());
            QCOMPARE(box->cursorForPosition(QPoint(0, 0)).block().text(), atBottom);
            QVERIFY(box->document()->characterCount() <
                    int(Dialog1::kWindowPages * HistoryPages::kPageBytes));
        }
        for (int step = 0; shownRange().first > 0; ++step) {
            QVERIFY(step < 100);
            bar->setValue(0);
        }
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(shownRange().second, kLines - 1);
        QVERIFY(bar->value() > bar->maximum() - bar->pageStep()); // the last screen
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(shownRange().first, 0);
    }

    void clearingFromTheViewerDeletesTheFileAfterAsking() {
        f->writeFile(QStringLiteral("user.cey"), QByteArray("\nrecord\r\n"));
        Dialog1* viewer = openViewer();
        auto* clear = child<QPushButton>(viewer, "Clearhistory");
        f->prompts.setNextAnswer(false);
        QTest::mouseClick(clear, Qt::LeftButton);
        QVERIFY(QFile::exists(historyPath()));
        QVERIFY(action("Delet")->isEnabled());
        f->prompts.setNextAnswer(true);
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(f->prompts.asked().back(), QStringLiteral("记录清除|真的要清除记录吗？"));
        QVERIFY(!QFile::exists(historyPath()));
        QVERIFY(!clear->isEnabled());
        QVERIFY(!action("Delet")->isEnabled());
        QCOMPARE(child<QPlainTextEdit>(viewer, "R1")->toPlainText(), QStringLiteral("没有记录！"));
    }

    void clearingFromTheMenuWithoutAFileSaysSo() {
        f->prompts.setNextAnswer(true); // OK to the question
        f->prompts.setNextAnswer(true); // OK to the message
        f->trigger("Delet");
        QCOMPARE(f->prompts.asked().back(), QStringLiteral("找不到文件！|记录不存在！"));
        QVERIFY(!action("Delet")->isEnabled());
        completeAttempt();
        enterName(pressSave(), QStringLiteral("A"));
        QVERIFY(action("Delet")->isEnabled());
    }
};

QTEST_MAIN(ScoreTest)
#include "score_test.moc"
