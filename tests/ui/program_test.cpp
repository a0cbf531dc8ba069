#include "records/journal.h"
#include "records/journal_statistics.h"
#include "tests/fakes/recording_observer.h"
#include "tests/support/form1_fixture.h"
#include "ui/program.h"

#include <QDir>
#include <QTest>

// The features are made and registered in ui/program.cpp. A second observer
// registered there after the journal hears of every lesson exactly as the
// journal names it, however the lesson was opened.
class ProgramTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;
    RecordingObserver m_observer;

    std::string journalPath() const {
        return f->folder.filePath(QStringLiteral("journal.sqlite3")).toStdString();
    }
    std::string inFolder(const QString& relative) const {
        return f->folder.filePath(relative).toStdString();
    }
    // The lesson and title of every attempt the journal holds, one per lesson.
    QStringList journalRows() const {
        Journal journal(journalPath());
        if (journal.open().error)
            qFatal("the journal did not open");
        QStringList lessons;
        for (const LessonSummary& summary : lessonSummaries(journal))
            lessons << QString::fromStdString(summary.lesson + "|" + summary.title);
        return lessons;
    }
    void open(const QString& how) {
        if (how == QLatin1String("menu")) {
            f->trigger("Jlesson41_A");
            return;
        }
        f->prompts.setNextFile(f->folder.filePath(how));
        f->trigger("Openfile");
    }

  private slots:
    void init() {
        f = std::make_unique<Form1Fixture>();
        m_observer = RecordingObserver();
        attachJournal(*f->form, journalPath());
        observeAttempts(*f->form, m_observer);
        f->writeLesson(QStringLiteral("ldata/J41A.ORV"), u"あい\r\nう");
        QDir(f->folder.path()).mkpath(QStringLiteral("mine"));
        f->writeLesson(QStringLiteral("mine/J41A.ORV"), u"あい\r\nう");
        f->writeLesson(QStringLiteral("mine/lesson.ORV"), u"あい\r\nう");
        QDir(f->folder.path()).mkpath(QStringLiteral("mine/folder.ORV"));
    }
    void cleanup() { f.reset(); }

    void everyObserverGetsTheLessonAsLoaded_data() {
        QTest::addColumn<QString>("how"); // "menu", or a file chosen with 打开
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("readFailed");
        QTest::addColumn<QString>("journalled"); // lesson|title
        const QString course = QStringLiteral("第四十一课 基本课文");
        const QString opened = QStringLiteral("ldata/J41A.ORV");
        QTest::newRow("course lesson from the menu")
            << "menu"
            << "ldata/J41A.ORV"
            << "J41A" << course << false << "J41A|" + course;
        QTest::newRow("the same course file opened by its path")
            << opened << ""
            << "J41A" << course << false << "J41A|" + course;
        QTest::newRow("a copy of a course file elsewhere") << "mine/J41A.ORV"
                                                           << ""
                                                           << ""
                                                           << "J41A.ORV" << false << "|J41A.ORV";
        QTest::newRow("a file of the learner's") << "mine/lesson.ORV"
                                                 << ""
                                                 << ""
                                                 << "lesson.ORV" << false << "|lesson.ORV";
        QTest::newRow("a file that cannot be read") << "mine/folder.ORV"
                                                    << ""
                                                    << ""
                                                    << "folder.ORV" << true << "";
    }

    void everyObserverGetsTheLessonAsLoaded() {
        QFETCH(QString, how);
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, title);
        QFETCH(bool, readFailed);
        QFETCH(QString, journalled);
        open(how);
        const std::string expectedPath = path.isEmpty() ? inFolder(how) : path.toStdString();
        QCOMPARE(m_observer.log, std::vector<std::string>{"loaded"});
        const LoadedLesson& lesson = m_observer.lesson;
        QCOMPARE(lesson.path, expectedPath);
        QCOMPARE(QString::fromStdString(lesson.catalogueName), name);
        QCOMPARE(QString::fromStdString(lesson.title), title);
        QCOMPARE(lesson.readFailed, readFailed);
        QCOMPARE(lesson.text, readFailed ? u"" : u"あい\r\nう");

        f->commit(QStringLiteral("あ"));
        f->prompts.setNextAnswer(true); // give the attempt up, which journals it
        f->trigger("Sav");
        if (journalled.startsWith(QLatin1Char('|')))
            journalled.prepend(QString::fromStdString(expectedPath));
        QCOMPARE(journalRows(), journalled.isEmpty() ? QStringList() : QStringList{journalled});
    }

    // The XDG rules ignore a relative data folder: the journal never goes
    // under the working folder.
    void aRelativeDataFolderIsIgnored() {
        const QByteArray before = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", "relative/data");
        const QString path = QString::fromStdString(defaultJournalPath());
        qputenv("XDG_DATA_HOME", before);
        QVERIFY2(QDir::isAbsolutePath(path), qPrintable(path));
        QCOMPARE(path, QDir::homePath() + QStringLiteral("/.local/share/orvanta/journal.sqlite3"));
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
