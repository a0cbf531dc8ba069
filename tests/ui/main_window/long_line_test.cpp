// A lesson line longer than the typing box lays out as one piece: the box
// cuts it at soft breaks, which are never part of what the practice counts.
#include "tests/support/form1_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>

namespace {

// `length` characters of kana and kanji without a line break.
std::u16string oneLine(size_t length) {
    const std::u16string words = u"わたしは毎朝七時に起きます。";
    std::u16string text;
    while (text.size() < length)
        text += words;
    text.resize(length);
    return text;
}

} // namespace

class LongLineTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;

    void load(const std::u16string& lesson) {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), lesson);
        f->trigger("Jlesson1_A");
    }
    void commit(const std::u16string& text) {
        f->commit(QString::fromStdU16String(text));
        QApplication::processEvents(); // the box cuts its long piece
        QVERIFY2(f->m_r2->document()->blockCount() > 1, "the long line was cut");
    }
    void expectTyped(const std::u16string& text) {
        QCOMPARE(QString::fromStdU16String(f->m_r2->text()), QString::fromStdU16String(text));
        QCOMPARE(f->form->state().CurPos, static_cast<Pos>(text.size()));
    }

  private slots:
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    // 2,001 characters are cut into two pieces; Backspace at the second
    // piece's start takes the first piece's last character.
    void backspaceAtASoftBreakTakesTheCharacterBeforeIt() {
        const std::u16string lesson = oneLine(3000);
        load(lesson);
        commit(lesson.substr(0, 2001));
        expectTyped(lesson.substr(0, 2001));
        const auto firstPiece = static_cast<size_t>(f->m_r2->document()->begin().length() - 1);
        QVERIFY(firstPiece > 900 && firstPiece <= 1000);
        for (size_t i = 0; i < 2001 - firstPiece + 1; ++i)
            QTest::keyClick(f->m_r2, Qt::Key_Backspace);
        expectTyped(lesson.substr(0, firstPiece - 1));
    }

    void aLineBreakTypedAfterASoftBreakIsALineBreak() {
        const std::u16string first = oneLine(2001);
        const std::u16string lesson = first + u"\r\nあいう";
        load(lesson);
        commit(first);
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        expectTyped(first + u"\r\n");
        f->commit(QStringLiteral("あいう"));
        expectTyped(lesson);
        QCOMPARE(f->label("Label7"), QStringLiteral("0"));
    }

    void aLongPasteIsTypedWhole() {
        const std::u16string lesson = oneLine(6000);
        load(lesson);
        std::u16string pasted = lesson.substr(0, 5000);
        pasted[4321] = u'x';
        QApplication::clipboard()->setText(QString::fromStdU16String(pasted));
        QTest::keyClick(f->m_r2, Qt::Key_V, Qt::ControlModifier);
        QApplication::processEvents();
        QVERIFY(f->m_r2->document()->blockCount() > 1);
        expectTyped(pasted);
        QCOMPARE(f->label("Label7"), QStringLiteral("1"));
    }
};

QTEST_MAIN(LongLineTest)
#include "long_line_test.moc"
