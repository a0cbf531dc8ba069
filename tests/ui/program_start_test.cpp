#include "core/code_page.h"
#include "core/learners.h"
#include "core/lesson_codec.h"
#include "tests/support/journal_rows.h"
#include "ui/main_window/form1.h"
#include "ui/main_window/main_window_services.h"
#include "ui/main_window/typing_box.h"
#include "ui/program.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

// The program made by the very function app/main.cpp calls, its features
// attached in the order they are there, and driven a little: what one commit
// does reaches every feature that follows attempts.
class ProgramStartTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_folder; // the program's folder, also the working folder as started
    QTemporaryDir m_home;   // the learner's data and settings
    QString m_previousFolder = QDir::currentPath();

    void writeLesson(const QString& relativePath, std::u16string_view text) {
        CodePage codePage;
        const std::string bytes = std::get<std::string>(encodeLesson(text, codePage));
        QFile file(m_folder.filePath(relativePath));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    static void sendInputMethod(QWidget* box, const QString& preedit, const QString& commit) {
        QInputMethodEvent event(preedit, {});
        event.setCommitString(commit);
        QApplication::sendEvent(box, &event);
    }

  private slots:
    // Before anything reads them: never the user's own folders.
    void initTestCase() {
        qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    }
    void init() {
        QVERIFY(QDir(m_folder.path()).mkpath(QStringLiteral("ldata")));
        QDir::setCurrent(m_folder.path());
    }
    void cleanup() { QDir::setCurrent(m_previousFolder); }

    void aCommitReachesTheHintRowTheJournalAndTheReview() {
        writeLesson(QStringLiteral("ldata/J01A.ORV"), u"今晩は、李さん。");
        const ProgramRun run;
        const std::unique_ptr<Form1> form = makeMainWindow(m_folder.path(), run);
        form->show();
        auto* r2 = form->findChild<TypingBoxWidget*>(QStringLiteral("R2"));
        form->findChild<QAction*>(QStringLiteral("Jlesson1_A"))->trigger();

        sendInputMethod(r2, QStringLiteral("こんばんは"), QString());
        sendInputMethod(r2, QString(), QStringLiteral("こんばんは"));
        const auto* hint = form->findChild<QLabel*>(QStringLiteral("Hint"));
        QVERIFY2(hint->text().endsWith(QStringLiteral("（写成假名）")), qPrintable(hint->text()));

        form->parts().services.prompts->setNextAnswer(true); // give the attempt up
        form->findChild<QAction*>(QStringLiteral("Sav"))->trigger();
        const std::string journal = learnerJournalPath(run.dataFolder, run.learner.learner.id);
        QTRY_COMPARE(journalRows(journal, QStringLiteral("SELECT lesson, total FROM attempts")),
                     QStringLiteral("J01A|5"));
        QCOMPARE(journalRows(journal, QStringLiteral("SELECT expected, typed, kind FROM mistakes")),
                 QStringLiteral("今晩は|こんばんは|写成假名"));
        QCOMPARE(journalRows(journal, QStringLiteral("SELECT lesson, word FROM cards")),
                 QStringLiteral("J01A|今晩"));
    }
};

QTEST_MAIN(ProgramStartTest)
#include "program_start_test.moc"
