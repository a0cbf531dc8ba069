#include "tests/support/form1_fixture.h"
#include "tests/support/journal_rows.h"
#include "ui/dialogs/score_dialog.h"
#include "ui/journal/journal_hook.h"
#include "ui/mistakes/mistake_hints.h"
#include "ui/mistakes/mistakes_window.h"
#include "ui/program.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

// Mistakes explained through the real main window: commits as the input
// method sends them, the hint row, the journal's rows and the review window.
class MistakesTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;

    std::string journalPath() const {
        return f->folder.filePath(QStringLiteral("data/orvanta/journal.sqlite3")).toStdString();
    }
    void load(std::u16string_view text) {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), text);
        f->trigger("Jlesson1_A");
    }
    // What the input method does: the kana, then the candidate, then the commit.
    void convert(const QString& kana, const QString& candidate) {
        f->preedit(kana);
        f->preedit(candidate);
        f->commit(candidate);
    }
    QLabel* hint() const { return f->form->findChild<QLabel*>(QStringLiteral("Hint")); }
    // The whole hint: the row elides it to its room.
    QString hintText() const { return hint()->isVisible() ? hint()->toolTip() : QString(); }
    // The row may go on with the romaji of the next word, when readings are on.
    bool slipHintGone() const { return !hintText().contains(u'「'); }
    void backspace(int times) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(f->m_r2, Qt::Key_Backspace);
    }
    QString sql(const char* query) const {
        return journalRows(journalPath(), QString::fromUtf8(query));
    }

  private slots:
    void init() {
        f = std::make_unique<Form1Fixture>();
        f->form->show();
    }
    void cleanup() { f.reset(); }

    void theFirstCharacterIsUnderlinedAsSoonAsTheLessonIsLoaded() {
        load(u"今晩は、李さん。");
        QVERIFY(f->underlinedAt(0));
        QVERIFY(!f->underlinedAt(1));
    }

    void kanaCommittedForKanjiNamesTheWordAndItsReadingUntilTakenBack() {
        attachMistakes(*f->form);
        load(u"今晩は、李さん。");
        convert(QStringLiteral("こんばんは"), QStringLiteral("こんばんは"));
        QCOMPARE(hintText(),
                 QStringLiteral("「こんばんは」比「今晩は」多 2 个字；删掉它，输入「今晩は」"));
        f->commit(QStringLiteral("、"));
        QCOMPARE(hintText(),
                 QStringLiteral("「こんばんは」比「今晩は」多 2 个字，后面的字因此错开；"
                                "删掉它，输入「今晩は」"));
        // The row is narrow beside the clock: it keeps the word and the kind.
        QVERIFY2(hint()->text().contains(QStringLiteral("今晩")) &&
                     hint()->text().endsWith(QStringLiteral("（写成假名）")),
                 qPrintable(hint()->text()));
        backspace(6);
        QVERIFY(slipHintGone());
    }

    // Right after the key, before anything else is typed, the extra line
    // break is what the hint names, not the lesson's next line as missed.
    void anExtraLineBreakAtTheEndOfWhatWasTypedIsNamedExtra() {
        attachMistakes(*f->form);
        load(u"これは本です。\r\nそれはノートです。\r\nあれは辞書ですか。");
        f->commit(QStringLiteral("これは本です。"));
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        QCOMPARE(hintText(), QStringLiteral("多打了「↵ 换行」，删掉它再接着输入"));
    }

    // くに committed for 国 and deleted a key at a time: the journal keeps the
    // slip as it was typed, kana for the kanji, not the く left on the way.
    void kanaDeletedKeyByKeyIsKeptAsCommitted() {
        MistakeHints& hints = attachMistakes(*f->form);
        attachJournal(*f->form, journalPath(), &hints);
        load(u"夏休みに国へ帰ろうと思います。\r\nいっしょに行こうよ。");
        convert(QStringLiteral("なつやすみに"), QStringLiteral("夏休みに"));
        f->commit(QStringLiteral("くに"));
        QVERIFY2(hintText().contains(QStringLiteral("「くに」比「国」多 1 个字")),
                 qPrintable(hintText()));
        backspace(1);
        backspace(1);
        convert(QStringLiteral("くにへ"), QStringLiteral("国へ"));
        f->prompts.setNextAnswer(true);
        f->trigger("Sav");
        QCOMPARE(sql("SELECT expected, typed, kind, corrected FROM mistakes"),
                 QStringLiteral("国|くに|写成假名|1"));
    }

    void theChineseFormOfAKanjiAsksForTheJapaneseInputMethodOncePerAttempt() {
        attachMistakes(*f->form);
        load(u"図書館の図です。");
        f->commit(QStringLiteral("图"));
        QCOMPARE(hintText(),
                 QStringLiteral("「图」是中文字形，日语写作「図」。请切换到日语输入法。"));
        backspace(1);
        QVERIFY(slipHintGone());
        f->commit(QStringLiteral("图"));
        QVERIFY2(hintText().contains(QStringLiteral("（中文字形）")), qPrintable(hintText()));
    }

    void theJournalKeepsKindAndKanaAndTheReviewListsTheSlipOnce() {
        MistakeHints& hints = attachMistakes(*f->form);
        attachJournal(*f->form, journalPath(), &hints);
        load(u"今晩は、李さん。");
        convert(QStringLiteral("こんばんは"), QStringLiteral("こんばんは"));
        f->prompts.setNextAnswer(true);
        f->trigger("Sav");
        // The attempt is over and its boxes are empty: the row points to its review.
        QCOMPARE(hintText(), QStringLiteral("本次练习有 1 处错误：按 Alt+S、W 查看本次练习的错误"));
        QCOMPARE(
            sql("SELECT position, kind, detail, preedit, corrected FROM mistakes ORDER BY rowid"),
            QStringLiteral("0|写成假名|NULL|こんばんは|0"));
        QTest::mouseClick(f->form->scoreDialog()->findChild<QPushButton*>("OKButton"),
                          Qt::LeftButton);
        QTRY_VERIFY(QApplication::activeModalWidget());
        auto* entry = QApplication::activeModalWidget();
        QTest::keyClicks(entry->findChild<QLineEdit*>("namebox"), QStringLiteral("Mei"));
        QTest::mouseClick(entry->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QVERIFY2(hintText().startsWith(QStringLiteral("已保存，本次练习有 1 处错误")),
                 qPrintable(hintText()));
        f->trigger("Mistakes");
        auto* window = f->form->findChild<MistakesWindow*>();
        QVERIFY(window && window->isVisible());
        auto* table = window->findChild<QTableWidget*>(QStringLiteral("MistakesTable"));
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("今晩は"));
        QCOMPARE(table->item(0, 3)->text(), QStringLiteral("写成假名"));
        QCOMPARE(table->item(0, 4)->text(), QStringLiteral("こんばんは"));
        QVERIFY(qobject_cast<QLabel*>(table->cellWidget(0, 0))
                    ->text()
                    .contains(QStringLiteral("今晩は</span>、李さん。")));
    }
};

QTEST_MAIN(MistakesTest)
#include "mistakes_test.moc"
