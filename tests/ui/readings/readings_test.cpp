// 设置 → 显示读音 on the real main window: readings over R1 without touching
// its text or marks, the romaji of the word being typed, the switch kept
// between runs (also when the settings file cannot be read), and the disabled
// item where there is no dictionary.
#include "tests/support/form1_fixture.h"
#include "ui/common/settings_file.h"
#include "ui/main_window/lesson_box.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <sys/stat.h>

namespace {

const std::u16string kLesson = u"これは本です。\r\nあれは辞書ですか。\r\n日本へ行きます。";

// Everything the learner sees of R1 but the readings: its text and, for each
// character, colour and underline.
struct LessonMarks {
    QString text;
    std::vector<std::pair<QColor, bool>> marks;
    bool operator==(const LessonMarks&) const = default;
};

LessonMarks marksOf(const Form1Fixture& f) {
    LessonMarks m{f.m_r1->toPlainText(), {}};
    for (int p = 0; p < m.text.size(); ++p)
        m.marks.emplace_back(f.colourAt(p), f.underlinedAt(p));
    return m;
}

QAction* yomi(const Form1Fixture& f) {
    return f.form->findChild<QAction*>(QStringLiteral("Yomi"));
}

QLabel* romajiLine(const Form1Fixture& f) {
    return f.form->findChild<QLabel*>(QStringLiteral("Hint"));
}

// Where the first line's text begins, with the box scrolled to the top.
int firstLineTop(const Form1Fixture& f) {
    f.m_r1->verticalScrollBar()->setValue(0);
    return f.m_r1->cursorRect(QTextCursor(f.m_r1->document())).top();
}

} // namespace

class ReadingsTest : public QObject {
    Q_OBJECT
  private slots:
    void theSwitchIsOffByDefaultAndKeptBetweenRuns() {
        {
            Form1Fixture f;
            QAction* item = yomi(f);
            QVERIFY(item->isEnabled());
            QVERIFY(item->isCheckable());
            QVERIFY(!item->isChecked());
            QCOMPARE(item->text(), QStringLiteral("显示读音(&R)"));
            f.writeLesson(QStringLiteral("ldata/J01A.ORV"), kLesson);
            f.trigger("Jlesson1_A");
            QVERIFY(!f.m_r1->showsReadings());
            f.trigger("Yomi");
            QVERIFY(f.m_r1->showsReadings());
        }
        Form1Fixture again;
        QVERIFY(yomi(again)->isChecked());
        again.writeLesson(QStringLiteral("ldata/J01A.ORV"), kLesson);
        again.trigger("Jlesson1_A");
        QVERIFY(again.m_r1->showsReadings());
        again.trigger("Yomi");
        QVERIFY(!again.m_r1->showsReadings());
        Form1Fixture third;
        QVERIFY(!yomi(third)->isChecked());
    }

    // Typed right, wrong and across a line break; then the switch is flipped
    // both ways in the middle of the attempt, and typing goes on.
    void readingsLeaveTheTextMarksAndCountsAsTheyAre() {
        Form1Fixture f;
        f.writeLesson(QStringLiteral("ldata/J01A.ORV"), kLesson);
        f.trigger("Jlesson1_A");
        f.commit(QStringLiteral("これは本でず。"));
        QTest::keyClick(f.m_r2, Qt::Key_Return);
        f.commit(QStringLiteral("あれ"));
        const LessonMarks before = marksOf(f);
        const int topBefore = firstLineTop(f);
        const QString typedBefore = f.typed();

        yomi(f)->setChecked(true);
        QVERIFY(f.m_r1->showsReadings());
        QCOMPARE(marksOf(f), before);
        QCOMPARE(f.m_r1->text(), kLesson);
        QCOMPARE(f.typed(), typedBefore);
        const int topWithReadings = firstLineTop(f);
        QVERIFY(topWithReadings > topBefore); // the lines made room above them
        QVERIFY(f.underlinedAt(10));          // は of あれは, next to type
        const QFont designed = f.m_r1->font();
        QFont larger = designed;
        larger.setPointSizeF(larger.pointSizeF() * 2);
        f.m_r1->setFont(larger); // as 上面文本框字体 does: the room grows with the face
        QVERIFY(firstLineTop(f) - topBefore > topWithReadings - topBefore);
        QCOMPARE(marksOf(f), before);
        f.m_r1->setFont(designed);

        f.commit(QStringLiteral("は"));
        QCOMPARE(f.label("Label5"), QStringLiteral("9"));
        QCOMPARE(f.label("Label7"), QStringLiteral("1"));
        QCOMPARE(f.label("Label9"), QStringLiteral("10"));
        const LessonMarks typedOn = marksOf(f);
        f.trigger("Yomi");
        QVERIFY(!f.m_r1->showsReadings());
        QCOMPARE(marksOf(f), typedOn);
        QCOMPARE(firstLineTop(f), topBefore);
        QTest::keyClick(f.m_r2, Qt::Key_Backspace);
        QCOMPARE(f.label("Label5"), QStringLiteral("8"));
        QVERIFY(f.underlinedAt(10));
    }

    // With readings on and off the box keeps the next character to type in view,
    // line by line down a lesson longer than the box.
    void theNextCharacterStaysInViewAsTheLearnerTypesDown_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("readingsOnAt");
        QTest::addColumn<int>("readingsOffAt");
        QTest::newRow("switched on and off while typing") << 12 << 4 << 9;
        // The lines only outgrow the box by the readings' room.
        QTest::newRow("a lesson that fits without readings") << 6 << 0 << -1;
    }
    void theNextCharacterStaysInViewAsTheLearnerTypesDown() {
        QFETCH(int, lines);
        QFETCH(int, readingsOnAt);
        QFETCH(int, readingsOffAt);
        Form1Fixture f;
        std::u16string lesson;
        for (int i = 0; i < lines; ++i)
            lesson += (i ? u"\r\n" : u"") + std::u16string(u"日本へ行きます。");
        f.writeLesson(QStringLiteral("ldata/J01A.ORV"), lesson);
        f.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        f.trigger("Jlesson1_A");
        for (int line = 0; line < lines; ++line) {
            if (line == readingsOnAt)
                yomi(f)->setChecked(true);
            if (line == readingsOffAt)
                yomi(f)->setChecked(false);
            f.commit(QStringLiteral("日本へ行きます。"));
            if (line < lines - 1)
                QTest::keyClick(f.m_r2, Qt::Key_Return);
            QTextCursor next(f.m_r1->document());
            next.setPosition(std::min(9 * (line + 1), f.m_r1->document()->characterCount() - 1));
            const QRect shown = f.m_r1->cursorRect(next);
            QVERIFY2(shown.top() >= 0 && shown.bottom() <= f.m_r1->viewport()->height(),
                     qPrintable(QStringLiteral("line %1: %2..%3 of %4")
                                    .arg(line)
                                    .arg(shown.top())
                                    .arg(shown.bottom())
                                    .arg(f.m_r1->viewport()->height())));
        }
    }

    void theRomajiLineFollowsTheWordToTypeWithoutMovingAControl() {
        Form1Fixture f;
        f.writeLesson(QStringLiteral("ldata/J01A.ORV"), kLesson);
        f.writeFile(QStringLiteral("ldata/J01A.yomi"), "日本\tにほん\n");
        yomi(f)->setChecked(true);
        f.trigger("Jlesson1_A");
        QLabel* line = romajiLine(f);
        QTRY_VERIFY(line->isVisible());
        QCOMPARE(line->text(), QStringLiteral("これ：kore"));
        f.commit(QStringLiteral("これは"));
        QCOMPARE(line->text(), QStringLiteral("本：hon"));
        f.commit(QStringLiteral("本です。"));
        QTest::keyClick(f.m_r2, Qt::Key_Return);
        f.commit(QStringLiteral("あれは"));
        QCOMPARE(line->text(), QStringLiteral("辞書：jisho"));
        f.commit(QStringLiteral("辞書ですか。"));
        QTest::keyClick(f.m_r2, Qt::Key_Return);
        QCOMPARE(line->text(), QStringLiteral("日本：nihon")); // the correction beside the lesson
        f.commit(QStringLiteral("日本"));
        QCOMPARE(line->text(), QStringLiteral("へ：he"));

        auto* label14 = f.form->findChild<QLabel*>(QStringLiteral("Label14"));
        auto* r2 = f.form->findChild<QWidget*>(QStringLiteral("R2"));
        QCOMPARE(line->y(), label14->y());
        QVERIFY(line->geometry().right() < label14->x());
        QVERIFY(line->y() >= r2->geometry().bottom());
        f.form->layoutFor(14000, 11000);
        QCOMPARE(line->y(), label14->y());
        QVERIFY(line->geometry().right() < label14->x());

        f.trigger("Yomi");
        QVERIFY(!line->isVisible());
    }

    void withoutADictionaryTheItemIsDisabledAndSaysWhatToInstall() {
        Form1Fixture f("/nonexistent/ipadic-utf8");
        QAction* item = yomi(f);
        QVERIFY(!item->isEnabled());
        QVERIFY(!item->isChecked());
        QVERIFY(item->toolTip().contains(QStringLiteral("mecab-ipadic-utf8")));
        QVERIFY(item->toolTip().contains(QStringLiteral("安装")));
        QVERIFY(f.form->findChild<QMenu*>(QStringLiteral("Set"))->toolTipsVisible());
        f.writeLesson(QStringLiteral("ldata/J01A.ORV"), kLesson);
        f.trigger("Jlesson1_A");
        f.commit(QStringLiteral("これ"));
        QVERIFY(!f.m_r1->showsReadings());
        QVERIFY(!romajiLine(f)->isVisible());
        QCOMPARE(f.label("Label5"), QStringLiteral("2"));
    }

    // A pipe where the settings file belongs would block the start: the
    // switch is then kept for this run only, and the pipe stays as it is.
    void aSettingsFileThatIsNoRegularFileNeitherBlocksTheStartNorIsReplaced() {
        const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/orvanta");
        const QByteArray file = QFile::encodeName(folder + QStringLiteral("/orvanta.conf"));
        QVERIFY(QDir().mkpath(folder));
        QFile::remove(QString::fromLocal8Bit(file));
        QCOMPARE(::mkfifo(file.constData(), 0600), 0);
        {
            const auto forThisRun = placeSettingsFile();
            QVERIFY(forThisRun);
            Form1Fixture f;
            f.trigger("Yomi");
            Form1Fixture again;
            QVERIFY(yomi(again)->isChecked());
            again.trigger("Yomi");
        }
        struct stat info {};
        QVERIFY(::lstat(file.constData(), &info) == 0 && S_ISFIFO(info.st_mode));
        QVERIFY(::unlink(file.constData()) == 0);
        QVERIFY(!placeSettingsFile());
    }
};

int main(int argc, char** argv) {
    // The switch is remembered in the user's settings: here, a folder of our own.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    ReadingsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "readings_test.moc"
