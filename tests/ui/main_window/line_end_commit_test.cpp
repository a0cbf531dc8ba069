#include "tests/support/form1_fixture.h"
#include "ui/dialogs/score_dialog.h"

#include <QInputMethodEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

// What the input method's commits do at the line ends of lesson 1 A. In the
// typing box's document a line break is one position: line 1 "これは本です。"
// takes 0 to 6, its break 7, line 2 "それはノートです。" 8 to 16, its break 17.
class LineEndCommitTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;

    const QString m_line1 = QStringLiteral("これは本です。");
    const QString m_line2 = QStringLiteral("それはノートです。");
    const QString m_line3 = QStringLiteral("あれは辞書ですか。");

    void loadLesson1A() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"),
                       u"これは本です。\r\nそれはノートです。\r\nあれは辞書ですか。");
        f->trigger("Jlesson1_A");
        QCOMPARE(f->m_r1->toPlainText(), m_line1 + '\n' + m_line2 + '\n' + m_line3);
    }
    void expectCounts(const char* right, const char* wrong) {
        QCOMPARE(f->label("Label5"), QString::fromLatin1(right));
        QCOMPARE(f->label("Label7"), QString::fromLatin1(wrong));
    }
    // Lesson positions run over line breaks as CR LF; the typed text keeps in step.
    void expectTypedTextInStep() {
        QCOMPARE(f->form->state().CurPos, static_cast<Pos>(f->form->state().PrevTyped.size()));
        QCOMPARE(QString::fromStdU16String(f->form->state().PrevTyped),
                 QString(f->typed()).replace('\n', QStringLiteral("\r\n")));
    }
    void expectColours(int from, int to, const QColor& colour) {
        for (int p = from; p <= to; ++p)
            QCOMPARE(f->colourAt(p), colour);
    }
    QTextLayout* lastLineLayout() const { return f->m_r2->document()->lastBlock().layout(); }

  private slots:
    void init() {
        f = std::make_unique<Form1Fixture>();
        loadLesson1A();
    }
    void cleanup() { f.reset(); }

    void aPhraseCommittedAtALineEndIsEvaluatedAfterTheBreak() {
        f->commit(m_line1);
        f->commit(QStringLiteral("それは"));
        QCOMPARE(f->typed(), m_line1 + '\n' + QStringLiteral("それは"));
        expectCounts("10", "0");
        QCOMPARE(f->label("Label9"), QStringLiteral("10"));
        expectColours(8, 10, QColor(0, 0, 255));
        QVERIFY(f->underlinedAt(11)); // ノ
        QVERIFY(!f->underlinedAt(10));
        const std::string cues = f->folder.path().toStdString() + "/Sound/";
        QCOMPARE(f->me1.played().at(7), cues + "Enter.wav");
        QCOMPARE(f->me1.played().size(), 11u);
        expectTypedTextInStep();
    }

    void aCommitReachingTheBreakKeepsWhatComesBeforeAndAfterIt() {
        f->commit(QStringLiteral("これは本です"));
        f->commit(QStringLiteral("。それ"));
        QCOMPARE(f->typed(), m_line1 + '\n' + QStringLiteral("それ"));
        QCOMPARE(f->colourAt(6), QColor(0, 0, 255));
        expectColours(8, 9, QColor(0, 0, 255));
        QVERIFY(f->underlinedAt(10));
        expectCounts("9", "0");
        expectTypedTextInStep();
        QTest::keyClick(f->m_r2, Qt::Key_Backspace);
        QTest::keyClick(f->m_r2, Qt::Key_Backspace);
        QCOMPARE(f->typed(), m_line1 + '\n');
        QTest::keyClick(f->m_r2, Qt::Key_Backspace); // the whole line break
        QCOMPARE(f->typed(), m_line1);
        expectCounts("7", "0");
        expectTypedTextInStep();
    }

    void aCommitSpanningTwoLineBreaksEntersBoth() {
        f->commit(QStringLiteral("これは本です"));
        f->commit(QStringLiteral("。それはノートです。あれ"));
        QCOMPARE(f->typed(), m_line1 + '\n' + m_line2 + '\n' + QStringLiteral("あれ"));
        expectCounts("18", "0");
        QCOMPARE(f->label("Label9"), QStringLiteral("18"));
        expectColours(18, 19, QColor(0, 0, 255));
        QVERIFY(f->underlinedAt(20));
        expectTypedTextInStep();
    }

    void aWrongCharacterAfterTheBreakIsRedAndCounted() {
        f->commit(m_line1);
        f->commit(QStringLiteral("それわ"));
        QCOMPARE(f->colourAt(10), QColor(255, 0, 0));
        expectCounts("9", "1");
        QCOMPARE(f->me1.played().back(), f->folder.path().toStdString() + "/Sound/false.wav");
        QVERIFY(f->underlinedAt(11));
        expectTypedTextInStep();
    }

    void aSingleLetterKeyAtALineEndBecomesTheLineBreak() {
        f->commit(m_line1);
        QTest::keyClicks(f->m_r2, QStringLiteral("x"));
        QCOMPARE(f->typed(), m_line1 + '\n');
        QCOMPARE(f->label("Label9"), QStringLiteral("7"));
        expectCounts("7", "0");
        QVERIFY(f->underlinedAt(8));
        expectTypedTextInStep();
    }

    void aCompositionStartedWithTheCommitStaysComposing() {
        f->commit(m_line1);
        QInputMethodEvent event(QStringLiteral("のーと"), {});
        event.setCommitString(QStringLiteral("それは"));
        QApplication::sendEvent(f->m_r2, &event);
        QCOMPARE(f->typed(), m_line1 + '\n' + QStringLiteral("それは"));
        QCOMPARE(lastLineLayout()->preeditAreaText(), QStringLiteral("のーと"));
        QCOMPARE(lastLineLayout()->preeditAreaPosition(), 3);
        expectCounts("10", "0");
        f->commit(QStringLiteral("ノート")); // the input method commits the composition
        QVERIFY(lastLineLayout()->preeditAreaText().isEmpty());
        QCOMPARE(f->typed(), m_line1 + '\n' + QStringLiteral("それはノート"));
        expectCounts("13", "0");
    }

    void aCommitRunningPastTheEndCompletesWithTheEvaluatedFigures() {
        f->commit(m_line1);
        f->commit(m_line2 + m_line3 + QStringLiteral("です"));
        QVERIFY(f->form->scoreDialog()->isVisible());
        QCOMPARE(f->form->scoreDialog()->figure(DialogLabel::Label9), QStringLiteral("25"));
        QCOMPARE(f->form->scoreDialog()->figure(DialogLabel::Label5), QStringLiteral("25"));
        QCOMPARE(f->form->scoreDialog()->figure(DialogLabel::Label7), QStringLiteral("0"));
        QVERIFY(f->typed().isEmpty());
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        QCOMPARE(f->label("Label9"), QStringLiteral("0"));
        QCOMPARE(f->me1.played().back(), f->folder.path().toStdString() + "/Sound/finish.wav");
    }
};

QTEST_MAIN(LineEndCommitTest)
#include "line_end_commit_test.moc"
