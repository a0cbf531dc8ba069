// The main window and the history viewer given paths that are not what they
// seem: folders, pipes and devices, huge files, and names with "\".
#include "core/local_files.h"
#include "records/history_file.h"
#include "tests/support/form1_fixture.h"
#include "ui/dialogs/history_viewer.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <sys/stat.h>

class OddFilesTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;

    QString path(const char* name) const { return f->folder.filePath(QString::fromUtf8(name)); }
    QPlainTextEdit* openViewer() {
        f->trigger("See");
        for (Dialog1* viewer : f->form->findChildren<Dialog1*>())
            if (viewer->isVisible())
                return viewer->findChild<QPlainTextEdit*>(QStringLiteral("R1"));
        qFatal("the viewer did not open");
    }

  private slots:
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    void whatIsNoRegularLessonFileLeavesAnEmptyLessonBox_data() {
        QTest::addColumn<QString>("lesson");
        QTest::newRow("folder") << QStringLiteral("DIR.ORV");
        QTest::newRow("fifo") << QStringLiteral("fifo.ORV");
        QTest::newRow("device") << QStringLiteral("/dev/zero");
        QTest::newRow("too large") << QStringLiteral("large.ORV");
    }
    void whatIsNoRegularLessonFileLeavesAnEmptyLessonBox() {
        QFETCH(QString, lesson);
        QDir(f->folder.path()).mkdir(QStringLiteral("DIR.ORV"));
        QCOMPARE(::mkfifo(qPrintable(path("fifo.ORV")), 0600), 0);
        f->writeFile(QStringLiteral("large.ORV"), QByteArray(kLessonFileLimit + 2, 'a'));
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"ab");
        f->trigger("Jlesson1_A");
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("ab"));

        f->prompts.setNextAnswer(true);
        f->form->LoadLesson(lesson.toStdString()); // as from the command line
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"ab");
        f->trigger("Jlesson1_A");
        f->prompts.setNextAnswer(true);
        f->prompts.setNextFile(lesson.startsWith(u'/') ? lesson : path(qPrintable(lesson)));
        f->trigger("Openfile");
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        QTest::keyClicks(f->m_r2, QStringLiteral("x")); // the window still answers
        QCOMPARE(f->typed(), QStringLiteral("x"));
    }

    void aBackslashInAChosenFileNameIsPartOfTheName() {
        QDir(f->folder.path()).mkdir(QStringLiteral("a"));
        f->writeLesson(QStringLiteral("a/b.ORV"), u"folder a");
        f->writeLesson(QStringLiteral("a\\b.ORV"), u"backslash");
        f->prompts.setNextFile(path("a\\b.ORV"));
        f->trigger("Openfile");
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("backslash"));
        f->prompts.setNextAnswer(true);
        f->form->LoadLesson("a\\b.ORV");
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("backslash"));
    }

    void theViewerSaysWhyAHistoryCannotBeShown() {
        QDir(f->folder.path()).mkdir(QStringLiteral("user.cey"));
        QPlainTextEdit* box = openViewer();
        QCOMPARE(box->toPlainText(),
                 QStringLiteral("无法显示记录：user.cey 是一个文件夹。\n%1").arg(path("user.cey")));
        auto* clear = box->parent()->findChild<QPushButton*>(QStringLiteral("Clearhistory"));
        QVERIFY(!clear->isEnabled());
    }

    // A sparse file of 5 GB: the viewer shows its last two pages.
    void aHistoryOfAnySizeIsShownAWindowAtATime() {
        constexpr qint64 kSize = qint64{5} << 30;
        QFile large(path("user.cey"));
        QVERIFY(large.open(QIODevice::WriteOnly));
        QVERIFY(large.resize(kSize)); // sparse: takes no disk space
        QPlainTextEdit* box = openViewer();
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(box->toPlainText().remove(u'\n').size(), 2 * qsizetype{HistoryPages::kPageBytes});
        QVERIFY(
            box->parent()->findChild<QPushButton*>(QStringLiteral("Clearhistory"))->isEnabled());
    }

    // Cut where no line break or small byte comes: at the pages' ends too.
    void aHistoryWithoutLineBreaksIsShownWholeInCutLines() {
        const QByteArray content(3'000'000, 'x');
        f->writeFile(QStringLiteral("user.cey"), content);
        QPlainTextEdit* box = openViewer();
        QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
        const qsizetype pages =
            (content.size() + HistoryPages::kPageBytes - 1) / HistoryPages::kPageBytes;
        QCOMPARE(box->toPlainText().remove(u'\n'),
                 QString::fromLatin1(content.mid((pages - 2) * HistoryPages::kPageBytes)));
        for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
            QVERIFY(block.length() - 1 <= qsizetype{HistoryPages::kLongestLine});
    }
};

QTEST_MAIN(OddFilesTest)
#include "odd_files_test.moc"
