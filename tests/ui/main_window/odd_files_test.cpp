// The main window and the history viewer given paths that are not what they
// seem: folders, pipes and devices, oversized files, and names with "\".
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

    void theViewerSaysWhyAHistoryCannotBeShown_data() {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("clearable");
        QTest::newRow("folder") << true << QStringLiteral("user.cey 是一个文件夹") << false;
        QTest::newRow("too large") << false << QStringLiteral("记录文件超过 100 MB") << true;
    }
    void theViewerSaysWhyAHistoryCannotBeShown() {
        QFETCH(bool, folder);
        QFETCH(QString, reason);
        QFETCH(bool, clearable);
        if (folder) {
            QDir(f->folder.path()).mkdir(QStringLiteral("user.cey"));
        } else {
            QFile large(path("user.cey"));
            QVERIFY(large.open(QIODevice::WriteOnly));
            QVERIFY(large.resize(kHistoryFileLimit + 1)); // sparse: takes no disk space
        }
        QPlainTextEdit* box = openViewer();
        QCOMPARE(box->toPlainText(),
                 QStringLiteral("无法显示记录：%1。\n%2").arg(reason, path("user.cey")));
        auto* clear = box->parent()->findChild<QPushButton*>(QStringLiteral("Clearhistory"));
        QCOMPARE(clear->isEnabled(), clearable);
    }

    void aHistoryWithoutLineBreaksIsShownWholeInCutLines() {
        const QByteArray content(3'000'000, 'x');
        f->writeFile(QStringLiteral("user.cey"), content);
        QPlainTextEdit* box = openViewer();
        QTRY_COMPARE(box->document()->characterCount(), 3'000'000 + 3'000 - 1 + 1);
        for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
            QCOMPARE(block.length() - 1, 1000);
        QCOMPARE(box->toPlainText().remove(u'\n'), QString::fromLatin1(content));
    }
};

QTEST_MAIN(OddFilesTest)
#include "odd_files_test.moc"
