// 设置 → 练习方式 on the real main window: in 看读音写汉字 the kanji stand as
// empty frames under their readings until typed, while every figure and
// record is that of 看原文; the choice is kept and needs the dictionary.
#include "records/journal.h"
#include "tests/support/form1_fixture.h"
#include "tests/support/journal_rows.h"
#include "ui/dialogs/score_dialog.h"
#include "ui/journal/statistics_window.h"
#include "ui/mistakes/mistake_hints.h"
#include "ui/program.h"
#include "ui/user_settings.h"

#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QTest>

namespace {

const std::u16string kLesson = u"これは本です。\r\nあれは辞書ですか。";
constexpr int kHon = 3; // 本, document position

QAction* item(const Form1Fixture& f, const char* name) {
    return f.form->findChild<QAction*>(QString::fromLatin1(name));
}

// The pixels of the lesson character at a document position, inside its cell.
QImage cellOf(const Form1Fixture& f, int documentPosition) {
    QTextCursor cursor(f.m_r1->document());
    cursor.setPosition(documentPosition);
    const QRect start = f.m_r1->cursorRect(cursor);
    cursor.setPosition(documentPosition + 1);
    const QRect end = f.m_r1->cursorRect(cursor);
    const QRect cell(start.left() + 3, start.top() + 3, end.left() - start.left() - 6,
                     start.height() - 6);
    return f.m_r1->viewport()->grab().toImage().copy(cell);
}

// Lesson 1 A, practised in 看读音写汉字.
void loadInRecall(Form1Fixture& f) {
    f.trigger("ModeRecall");
    f.writeLesson(QStringLiteral("ldata/J01A.ORV"), kLesson);
    f.trigger("Jlesson1_A");
}

// A glyph is drawn smoothed, in many shades; an empty frame is the ground and
// the frame's grey, whatever the ground (white, or a selection's colour).
bool showsGlyph(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours.size() > 3;
}

} // namespace

class RecallTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { userSettingsFile().remove(QLatin1String(kPracticeMode.key)); }

    // The same keystrokes give the same positions, counts and journal figures
    // in both modes; only the recorded mode differs.
    void bothModesCountAndRecordTheSame_data() {
        QTest::addColumn<QByteArray>("item");
        QTest::addColumn<QString>("mode");
        QTest::newRow("看原文") << QByteArray("ModeText") << QStringLiteral("text");
        QTest::newRow("看读音写汉字") << QByteArray("ModeRecall") << QStringLiteral("recall");
    }
    void bothModesCountAndRecordTheSame() {
        QFETCH(QByteArray, item);
        QFETCH(QString, mode);
        Form1Fixture f;
        const std::string journal =
            (f.folder.path() + QStringLiteral("/journal.sqlite3")).toStdString();
        attachJournal(*f.form, journal);
        f.trigger(item.constData());
        f.writeLesson(QStringLiteral("ldata/J01A.ORV"), kLesson);
        f.trigger("Jlesson1_A");
        f.commit(QStringLiteral("これはほ"));
        QTest::keyClick(f.m_r2, Qt::Key_Backspace);
        f.commit(QStringLiteral("本です。"));
        QTest::keyClick(f.m_r2, Qt::Key_Return);
        f.commit(QStringLiteral("あれは時初"));
        QCOMPARE(f.label("Label5"), QStringLiteral("10"));
        QCOMPARE(f.label("Label7"), QStringLiteral("2"));
        f.prompts.setNextAnswer(true); // give up
        f.trigger("Sav");
        f.form->scoreDialog()->close();
        QCOMPARE(journalRows(journal,
                             QStringLiteral("SELECT mode, total, \"right\", wrong FROM attempts")),
                 mode + QStringLiteral("|12|10|2"));
        QCOMPARE(
            journalRows(journal, QStringLiteral("SELECT position, expected, typed FROM mistakes")),
            QStringLiteral("3|本|ほ\n12|辞書|時初"));
        // 学习统计 shows the attempt under its own mode, not under the other.
        f.trigger("Stats");
        auto* window = f.form->findChild<StatisticsWindow*>();
        auto* modes = window->findChild<QComboBox*>(QStringLiteral("ModeFilter"));
        auto* lessons = window->findChild<QTableWidget*>(QStringLiteral("LessonTable"));
        QCOMPARE(lessons->rowCount(), 1);
        for (int i = 1; i < modes->count(); ++i) {
            modes->setCurrentIndex(i);
            QCOMPARE(lessons->rowCount(), modes->currentData().toString() == mode ? 1 : 0);
            // The chart says which mode it shows, or that it has none of it.
            QVERIFY(
                window->findChild<QChartView*>()->chart()->title().contains(modes->currentText()));
        }
        // The drill of the missed characters is practised in the same mode.
        window->findChild<QPushButton*>(QStringLiteral("DrillButton"))->click();
        QVERIFY(f.m_r1->toPlainText().contains(QStringLiteral("辞書")));
        QCOMPARE(f.m_r1->concealing(), mode == QLatin1String("recall"));
        QCOMPARE(f.m_r1->showsReadings(), mode == QLatin1String("recall"));
    }

    void aKanjiIsHiddenUntilTypedAndHiddenAgainWhenTakenBack() {
        Form1Fixture f;
        loadInRecall(f);
        QVERIFY(f.m_r1->showsReadings());
        QVERIFY(!showsGlyph(cellOf(f, kHon)));
        QVERIFY(showsGlyph(cellOf(f, 0))); // こ, kana are shown
        f.m_r1->selectAll();               // neither does a selection show it
        QVERIFY(!showsGlyph(cellOf(f, kHon)));
        f.commit(QStringLiteral("これは本"));
        QVERIFY(showsGlyph(cellOf(f, kHon)));
        QCOMPARE(f.colourAt(kHon), QColor(Qt::blue));
        QTest::keyClick(f.m_r2, Qt::Key_Backspace);
        QVERIFY(!showsGlyph(cellOf(f, kHon)));
        f.commit(QStringLiteral("ほ"));
        QCOMPARE(f.colourAt(kHon), QColor(Qt::red));
        QVERIFY(showsGlyph(cellOf(f, kHon)));
        f.trigger("ModeText");
        QVERIFY(showsGlyph(cellOf(f, kHon + 1))); // で, and every kanji again
        QVERIFY(showsGlyph(cellOf(f, 12)));
    }

    // The hint row names the word to type by its reading: the kanji stay hidden.
    void theHintRowGivesTheReadingNotTheKanji() {
        Form1Fixture f;
        loadInRecall(f);
        f.commit(QStringLiteral("これは"));
        const QString hint = f.form->findChild<QLabel*>(QStringLiteral("Hint"))->text();
        QVERIFY2(hint.contains(QStringLiteral("ほん")) && !hint.contains(QStringLiteral("本")),
                 qPrintable(hint));
    }

    // A copy of the lesson box holds what it shows: a frame for each kanji
    // not typed yet.
    void aCopyOfTheLessonBoxKeepsTheKanjiHidden() {
        Form1Fixture f;
        loadInRecall(f);
        f.commit(QStringLiteral("これは本で"));
        f.m_r1->selectAll();
        QTest::keySequence(f.m_r1, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("これは本です。\nあれは□□ですか。"));
    }

    // The hint of a slip names of the lesson's word what the box shows: the
    // kanji typed, not those still hidden after it.
    void theMistakeHintNamesOnlyTheKanjiTyped() {
        Form1Fixture f;
        attachMistakes(*f.form);
        loadInRecall(f);
        f.commit(QStringLiteral("これは本です。"));
        QTest::keyClick(f.m_r2, Qt::Key_Return);
        f.commit(QStringLiteral("あれは時"));
        auto* hint = f.form->findChild<QLabel*>(QStringLiteral("Hint"));
        QVERIFY2(hint->toolTip().startsWith(QStringLiteral("应为「辞」，你输入了「時」")),
                 qPrintable(hint->toolTip()));
        QVERIFY(!hint->text().contains(u'書'));
        QTest::keyClick(f.m_r2, Qt::Key_Backspace);
        f.commit(QStringLiteral("時初"));
        QVERIFY2(hint->toolTip().startsWith(QStringLiteral("应为「辞書」")),
                 qPrintable(hint->toolTip()));
    }

    // 本次练习的错误 shows the lesson loaded as the box does: practised again,
    // its kanji are hidden there too, also in the window left open.
    void theReviewOfMistakesHidesTheKanjiTheBoxHides() {
        Form1Fixture f;
        const std::string journal =
            (f.folder.path() + QStringLiteral("/journal.sqlite3")).toStdString();
        attachJournal(*f.form, journal, &attachMistakes(*f.form));
        loadInRecall(f);
        f.commit(QStringLiteral("これはほ"));
        f.prompts.setNextAnswer(true); // give up
        f.trigger("Sav");
        f.form->scoreDialog()->close();
        f.trigger("Mistakes"); // the mistake was typed: it shows
        auto* table = f.form->findChild<QTableWidget*>(QStringLiteral("MistakesTable"));
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("本"));
        f.trigger("Again"); // the window open meanwhile, then opened again
        for (int opened = 0; opened < 2; ++opened) {
            QCOMPARE(table->item(0, 1)->text(), QStringLiteral("□"));
            const QString line = qobject_cast<QLabel*>(table->cellWidget(0, 0))->text();
            QVERIFY2(line.contains(QStringLiteral("これは")) && !line.contains(u'本'),
                     qPrintable(line));
            f.trigger("Mistakes");
        }
    }

    void theModeIsKeptAndNeedsTheDictionary() {
        {
            Form1Fixture f;
            QVERIFY(item(f, "ModeText")->isChecked());
            f.trigger("ModeRecall");
        }
        {
            Form1Fixture again;
            QVERIFY(item(again, "ModeRecall")->isChecked());
            QVERIFY(again.m_r1->concealing());
        }
        {
            Form1Fixture without("/nonexistent/ipadic-utf8");
            QAction* recall = item(without, "ModeRecall");
            QVERIFY(!recall->isEnabled());
            QVERIFY(item(without, "ModeText")->isChecked());
            QVERIFY(!without.m_r1->concealing());
            QCOMPARE(recall->toolTip(), item(without, "Yomi")->toolTip());
        }
        Form1Fixture installed; // the choice held meanwhile
        QVERIFY(item(installed, "ModeRecall")->isChecked());
        installed.trigger("ModeText");
    }
};

QTEST_MAIN(RecallTest)
#include "recall_test.moc"
