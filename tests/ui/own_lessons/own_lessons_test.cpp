// 我的课文 on real widgets: the lesson editor writes lesson files the loader
// reads back, refuses what a lesson file cannot hold, tidies what it saves,
// imports text files, sets readings from its preview; the menu lists the folder.
#include "core/code_page.h"
#include "core/lesson_codec.h"
#include "core/local_files.h"
#include "core/own_lessons.h"
#include "core/regular_file.h"
#include "explain/kanji_sources.h"
#include "readings/mecab_analyser.h"
#include "tests/support/form1_fixture.h"
#include "ui/common/font_faces.h"
#include "ui/main_window/lesson_box.h"
#include "ui/own_lessons/lesson_editor.h"
#include "ui/own_lessons/own_lessons_menu.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <fstream>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

// What the input method sends when it commits a phrase.
void commit(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

std::u16string decodedLesson(const QString& path) {
    CodePage codePage;
    const QByteArray bytes = fileBytes(path);
    return decodeLesson(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                        codePage)
        .text;
}

// $XDG_DATA_HOME/orvanta/lessons in the test's own data folder.
QString ownLessons() {
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/orvanta/lessons");
}

// The 我的课文 submenu's items as it shows them when opened.
QStringList menuItems(Form1Fixture& f) {
    auto* menu = f.form->findChild<QMenu*>(QStringLiteral("OwnLessons"));
    menu->popup(QPoint());
    menu->hide();
    QStringList items;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            items << action->text() +
                         (action->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
    return items;
}

// Pixels of the orange mark's colour in the character cell at a position,
// as the editor paints it.
int orangeInk(QPlainTextEdit& editor, int position) {
    QTextCursor cursor(editor.document());
    cursor.setPosition(position);
    const QRect left = editor.cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect cell(left.topLeft(), QPoint(editor.cursorRect(cursor).left(), left.bottom() + 4));
    const QImage image = editor.viewport()->grab().toImage();
    int ink = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x < cell.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            ink += c.red() > 200 && c.green() > 90 && c.green() < 190 && c.blue() < 80;
        }
    return ink;
}

// The editors on screen, windows of their own.
QList<LessonEditor*> openEditors() {
    QList<LessonEditor*> editors;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* editor = qobject_cast<LessonEditor*>(window); editor && editor->isVisible())
            editors << editor;
    return editors;
}

KanjiSources& loaded(KanjiSources& kanji) {
    kanji.load();
    return kanji;
}

// An editor on a folder of its own, as the teacher uses it.
struct EditorRig {
    EditorRig()
        : editor(prompts, analyser, loaded(kanji), lessons.path().toStdString(),
                 japaneseBoxFont()) {
        editor.show();
    }
    QPlainTextEdit* text() {
        return editor.findChild<QPlainTextEdit*>(QStringLiteral("LessonText"));
    }
    QLineEdit* line(const char* name) {
        return editor.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QString status() { return editor.findChild<QLabel*>(QStringLiteral("CheckStatus"))->text(); }
    void click(const char* button) {
        QTest::mouseClick(editor.findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }
    // 保存 when it is to refuse: its message is answered in advance.
    void saveRefused() {
        prompts.setNextAnswer(true);
        click("Save");
    }
    // Title and text typed as the teacher would, then 保存.
    void write(const QString& title, const QString& body) {
        line("Title")->setFocus();
        commit(line("Title"), title);
        text()->setFocus();
        const QStringList lines = body.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(text(), Qt::Key_Return);
            if (!lines[i].isEmpty())
                commit(text(), lines[i]);
        }
    }
    QString lessonFile(const QString& title) {
        return lessons.filePath(title + QStringLiteral(".ORV"));
    }
    QString lastMessage() { return prompts.asked().empty() ? QString() : prompts.asked().back(); }

    QTemporaryDir lessons;
    Prompts prompts;
    MecabAnalyser analyser;
    KanjiSources kanji;
    LessonEditor editor;
};

} // namespace

class OwnLessonsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { QDir(ownLessons()).removeRecursively(); }

    void aTextTypedInTheEditorIsWhatTheLoaderReadsBack_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("lesson");
        QTest::newRow("Japanese") << QStringLiteral("田中さんは学生です。\n私は会社員です。")
                                  << QStringLiteral("田中さんは学生です。\r\n私は会社員です。");
        QTest::newRow("Chinese punctuation") << QStringLiteral("“你好！”——《日语》（初级）；")
                                             << QStringLiteral("“你好！”——《日语》（初级）；");
        QTest::newRow("mixed, tidied")
            << QStringLiteral("李：はい、そうです～·ＡＢＣ  \n\t「辞書」abc\n\n")
            << QStringLiteral("李：はい、そうです～·ＡＢＣ\r\n 「辞書」abc");
    }
    void aTextTypedInTheEditorIsWhatTheLoaderReadsBack() {
        QFETCH(QString, typed);
        QFETCH(QString, lesson);
        EditorRig rig;
        rig.write(QStringLiteral("会話"), typed);
        rig.click("Save");
        QCOMPARE(rig.lastMessage(), QString());
        QCOMPARE(QString::fromStdString(rig.editor.lessonPath()),
                 rig.lessonFile(QStringLiteral("会話")));
        QCOMPARE(QString::fromStdU16String(decodedLesson(rig.lessonFile(QStringLiteral("会話")))),
                 lesson);

        Form1Fixture f; // the main window's own loader
        f.form->LoadLesson(rig.editor.lessonPath());
        QCOMPARE(QString::fromStdU16String(f.m_r1->text()), lesson);
    }

    void aCharacterOutsideGbkIsMarkedAndBlocksSaveByName() {
        EditorRig rig;
        rig.write(QStringLiteral("片仮名"), QStringLiteral("アイウ\nｱｲ・〜"));
        QVERIFY(rig.status().contains(QStringLiteral("2 个字符存不进课文文件")));
        QCOMPARE(rig.text()->extraSelections().size(), 1); // ｱｲ, one run
        QCOMPARE(rig.text()->extraSelections()[0].format.underlineColor(), QColor(220, 0, 0));
        rig.saveRefused();
        QVERIFY(rig.lastMessage().contains(QStringLiteral("第 2 行第 1 列：「ｱ」（U+FF71）")));
        QVERIFY(rig.lastMessage().contains(QStringLiteral("第 2 行第 2 列：「ｲ」（U+FF72）")));
        QVERIFY(!QFile::exists(rig.lessonFile(QStringLiteral("片仮名"))));
    }

    // A warning with the Japanese forms, which one click puts in; Save is not blocked.
    void simplifiedChineseIsMarkedWithItsJapaneseForm() {
        EditorRig rig;
        rig.write(QStringLiteral("图书馆"), QStringLiteral("这是图书馆です。"));
        QVERIFY(rig.status().contains(
            QStringLiteral("4 个字不是日文用字（橙线）：这→這 图→図 书→書 馆→館")));
        QVERIFY(QTest::qWaitForWindowExposed(&rig.editor));
        for (int at : {0, 2, 3, 4}) // not 是
            QVERIFY2(orangeInk(*rig.text(), at) > 20, qPrintable(QString::number(at)));
        QVERIFY(orangeInk(*rig.text(), 1) < 5); // at most a neighbour's edge
        rig.click("JapaneseForms");
        QCOMPARE(rig.text()->toPlainText(), QStringLiteral("這是図書館です。"));
        QVERIFY(rig.text()->extraSelections().isEmpty());
        QTest::keyClick(rig.text(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rig.text()->toPlainText(), QStringLiteral("这是图书馆です。"));
        rig.click("Save");
        QVERIFY(QFile::exists(rig.lessonFile(QStringLiteral("图书馆"))));
    }

    void aLessonLargerThanTheReaderTakesIsRefused() {
        EditorRig rig;
        rig.line("Title")->setText(QStringLiteral("长"));
        rig.text()->setPlainText(QString(int(kLessonFileLimit / 2), QChar(u'あ')));
        auto* bar = rig.editor.findChild<QProgressBar*>(QStringLiteral("SizeBar"));
        QCOMPARE(bar->value(), bar->maximum());
        QVERIFY(rig.status().contains(QStringLiteral("超过 128 KiB")));
        rig.saveRefused();
        QVERIFY(rig.lastMessage().contains(QStringLiteral("131074 字节")));
        QVERIFY(!QFile::exists(rig.lessonFile(QStringLiteral("长"))));
        QTest::keyClick(rig.text(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(rig.text(), Qt::Key_Backspace);
        rig.click("Save");
        QVERIFY(QFile::exists(rig.lessonFile(QStringLiteral("长"))));
    }

    void anEmptyLessonOrOneWithoutTitleIsNotSaved() {
        EditorRig rig;
        rig.write(QStringLiteral("空"), QStringLiteral("  \n\t"));
        rig.saveRefused();
        QVERIFY(rig.lastMessage().contains(QStringLiteral("课文是空的")));
        rig.line("Title")->clear();
        commit(rig.text(), QStringLiteral("本"));
        rig.saveRefused();
        QVERIFY(rig.lastMessage().contains(QStringLiteral("标题")));
        QVERIFY(QDir(rig.lessons.path()).isEmpty());
    }

    // A click on a word of the preview puts it in the correction line; the
    // reading typed there goes into the .yomi beside the lesson and over the word.
    void aReadingCorrectedInThePreviewReachesTheYomiFileAndThePreview() {
        EditorRig rig;
        if (!rig.analyser.available())
            QSKIP("the IPA dictionary is not installed");
        rig.write(QStringLiteral("挨拶"), QStringLiteral("今日は。\n日本へ行きます。"));
        rig.click("Save");
        auto* preview = rig.editor.findChild<LessonBoxWidget*>(QStringLiteral("Preview"));
        QTRY_COMPARE(preview->text(), std::u16string(u"今日は。\r\n日本へ行きます。"));
        QVERIFY(QTest::qWaitForWindowExposed(&rig.editor));
        QTextCursor onKanji(preview->document());
        onKanji.setPosition(1); // 日 of 今日
        QTest::mouseClick(preview->viewport(), Qt::LeftButton, {},
                          preview->cursorRect(onKanji).center());
        QCOMPARE(rig.line("CorrectionWord")->text(), QStringLiteral("今日"));
        QCOMPARE(rig.line("CorrectionReading")->text(), QStringLiteral("きょう"));
        QTest::keyClick(rig.line("CorrectionReading"), Qt::Key_A, Qt::ControlModifier);
        commit(rig.line("CorrectionReading"), QStringLiteral("こんにち"));
        QTest::keyClick(rig.line("CorrectionReading"), Qt::Key_Return);

        QCOMPARE(fileBytes(rig.lessons.filePath(QStringLiteral("挨拶.yomi"))),
                 QStringLiteral("今日\tこんにち\n").toUtf8());
        QCOMPARE(rig.editor.previewReadings().front().reading, std::u16string(u"こんにち"));
    }

    // Closing the editor, by its title bar or by Esc, with text not saved:
    // 取消 keeps editing, 不保存 drops the text, 保存 writes it first.
    void closingWithTextNotSavedAsksFirst_data() {
        QTest::addColumn<int>("answer"); // -1 cancel, 0 discard, 1 save
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("cancel, title bar") << -1 << false;
        QTest::newRow("cancel, Esc") << -1 << true;
        QTest::newRow("discard") << 0 << true;
        QTest::newRow("save") << 1 << false;
    }
    void closingWithTextNotSavedAsksFirst() {
        QFETCH(int, answer);
        QFETCH(bool, byEscape);
        EditorRig rig;
        rig.editor.setAttribute(Qt::WA_DeleteOnClose, false); // the rig owns it
        rig.write(QStringLiteral("会話"), QStringLiteral("おはようございます。"));
        if (answer < 0)
            rig.prompts.setNextCancel();
        else
            rig.prompts.setNextAnswer(answer == 1);
        if (byEscape)
            QTest::keyClick(rig.text(), Qt::Key_Escape);
        else
            rig.editor.close();
        QCOMPARE(rig.lastMessage(), QStringLiteral("我的课文|课文「会話」还没有保存。要保存吗？"));
        QCOMPARE(rig.editor.isVisible(), answer < 0);
        QCOMPARE(QFile::exists(rig.lessonFile(QStringLiteral("会話"))), answer == 1);
    }

    // Saved, or opened and left as it was, the editor closes without a question.
    void aSavedLessonClosesAtOnceAndSaysItWasSaved() {
        EditorRig rig;
        rig.editor.setAttribute(Qt::WA_DeleteOnClose, false);
        rig.write(QStringLiteral("会話"), QStringLiteral("おはようございます。"));
        rig.click("Save");
        const QString note = rig.editor.findChild<QLabel*>(QStringLiteral("ImportNote"))->text();
        QCOMPARE(note, QStringLiteral("已保存：") +
                           QDir::toNativeSeparators(rig.lessonFile(QStringLiteral("会話"))));
        QVERIFY(!rig.editor.hasUnsavedText());
        QTest::keyClick(rig.text(), Qt::Key_Escape);
        QVERIFY(!rig.editor.isVisible());
        QVERIFY(rig.prompts.asked().empty());
        EditorRig again;
        QVERIFY(again.editor.openLesson(
            {"会話", rig.lessonFile(QStringLiteral("会話")).toStdString()}));
        QVERIFY(!again.editor.hasUnsavedText());
    }

    // A reading for a word the lesson does not hold would never be used.
    void aReadingForAWordNotInTheTextIsRefused() {
        EditorRig rig;
        rig.write(QStringLiteral("本"), QStringLiteral("これは本です。"));
        rig.click("Save");
        rig.line("CorrectionWord")->setText(QStringLiteral("図書館"));
        rig.line("CorrectionReading")->setText(QStringLiteral("としょかん"));
        rig.prompts.setNextAnswer(true);
        rig.click("SetReading");
        QCOMPARE(rig.lastMessage(),
                 QStringLiteral("我的课文|课文里没有「図書館」，这个读音用不上，没有保存。"));
        QVERIFY(!QFile::exists(rig.lessons.filePath(QStringLiteral("本.yomi"))));
        rig.line("CorrectionWord")->setText(QStringLiteral("本"));
        rig.line("CorrectionReading")->setText(QStringLiteral("ほん"));
        rig.click("SetReading");
        QCOMPARE(fileBytes(rig.lessons.filePath(QStringLiteral("本.yomi"))),
                 QStringLiteral("本\tほん\n").toUtf8());
    }

    // Quitting by the main window's title bar would drop the editor's text.
    void closingTheMainWindowAsksAboutAnEditorsTextNotSaved() {
        Form1Fixture f;
        f.trigger("NewLesson");
        LessonEditor* editor = openEditors().value(0);
        QVERIFY(editor);
        commit(editor->findChild<QPlainTextEdit*>(QStringLiteral("LessonText")),
               QStringLiteral("おはよう"));
        f.prompts.setNextCancel();
        f.form->close();
        QVERIFY(f.form->isVisible());
        QVERIFY(editor->isVisible());
        QCOMPARE(f.prompts.asked().back(), QStringLiteral("我的课文|新课文还没有保存。要保存吗？"));
    }

    void textFilesAreImportedInTheirEncodingAndOthersRefusedWithAReason_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("said");
        const QString text = QStringLiteral("これは图书馆です。\n你好");
        CodePage codePage;
        const std::string gbk = codePage.encodeText(text.toStdU16String());
        QTest::newRow("UTF-8") << text.toUtf8() << QStringLiteral("编码：UTF-8）");
        QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + text.toUtf8()
                                        << QStringLiteral("编码：带 BOM 的 UTF-8）");
        QTest::newRow("GBK") << QByteArray(gbk.data(), qsizetype(gbk.size()))
                             << QStringLiteral("编码：GBK）");
        QTest::newRow("binary") << QByteArray("\x7F"
                                              "ELF\x02\x01\x01\0\0\0",
                                              10)
                                << QStringLiteral("第 1 个字节是控制字符，这不是文本文件");
    }
    void textFilesAreImportedInTheirEncodingAndOthersRefusedWithAReason() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, said);
        QTemporaryDir texts;
        Form1Fixture f;
        writeBytes(texts.filePath(QStringLiteral("第5课.txt")), bytes);
        f.prompts.setNextAnswer(true); // the refusal's message, if one comes
        f.prompts.setNextFile(texts.filePath(QStringLiteral("第5课.txt")));
        f.trigger("ImportText");
        LessonEditor* editor = openEditors().value(0);
        if (said.contains(QStringLiteral("文本文件"))) {
            QVERIFY(!editor);
            QVERIFY(f.prompts.asked().back().contains(said));
            return;
        }
        QVERIFY(editor);
        const QString note = editor->findChild<QLabel*>(QStringLiteral("ImportNote"))->text();
        QVERIFY2(note.contains(said), qPrintable(note));
        QCOMPARE(editor->findChild<QLineEdit*>(QStringLiteral("Title"))->text(),
                 QStringLiteral("第5课"));
        QCOMPARE(editor->findChild<QPlainTextEdit*>(QStringLiteral("LessonText"))->toPlainText(),
                 QStringLiteral("これは图书馆です。\n你好"));
        QVERIFY(!QDir(ownLessons()).exists()); // nothing is saved before the teacher saves
    }

    // From an empty folder to a saved lesson that the menu lists, loads and
    // opens again for editing; 练习这一课 loads it too.
    // A lesson opened for editing is saved into its own file, whatever its
    // name holds, so long as its title is not changed.
    void anOpenedLessonIsSavedIntoItsOwnFile_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("a name that is no UTF-8") << QByteArray("\xb0\xa1\xb0\xa1");
        QTest::newRow("a hidden file") << QByteArray(".hidden");
    }
    void anOpenedLessonIsSavedIntoItsOwnFile() {
        QFETCH(QByteArray, name);
        EditorRig rig;
        const std::string path =
            rig.lessons.path().toStdString() + "/" + name.toStdString() + ".ORV";
        CodePage codePage;
        const std::string bytes = std::get<std::string>(encodeLesson(u"おはよう", codePage));
        std::ofstream(path, std::ios::binary) << bytes;
        QVERIFY(rig.editor.openLesson(listOwnLessons(rig.lessons.path().toStdString()).at(0)));
        rig.text()->setFocus();
        QTest::keyClick(rig.text(), Qt::Key_End, Qt::ControlModifier);
        commit(rig.text(), QStringLiteral("ございます"));
        rig.click("Save");
        QCOMPARE(listOwnLessons(rig.lessons.path().toStdString()).size(), size_t{1});
        const auto saved = readRegularFile(path, kLessonFileLimit);
        QVERIFY(std::holds_alternative<std::string>(saved));
        QCOMPARE(decodeLesson(std::get<std::string>(saved), codePage).text,
                 std::u16string(u"おはようございます"));
    }

    // A folder of the lesson's name is said to be one, and nothing is asked.
    void aFolderNamedLikeTheLessonIsNotOfferedForReplacing() {
        EditorRig rig;
        QVERIFY(QDir(rig.lessons.path()).mkdir(QStringLiteral("挨拶.ORV")));
        rig.write(QStringLiteral("挨拶"), QStringLiteral("おはよう"));
        rig.saveRefused();
        QCOMPARE(rig.prompts.asked().size(), size_t{1});
        QVERIFY2(rig.lastMessage().contains(QStringLiteral("文件夹")),
                 qPrintable(rig.lastMessage()));
    }

    // The corrections beside a lesson cannot be read: the message names
    // their file, not the lesson.
    void anUnreadableCorrectionsFileIsNamedNotTheLesson() {
        EditorRig rig;
        rig.write(QStringLiteral("挨拶"), QStringLiteral("おはよう"));
        rig.click("Save");
        const QString yomi = rig.lessons.filePath(QStringLiteral("挨拶.yomi"));
        QVERIFY(QDir(rig.lessons.path()).mkdir(QStringLiteral("挨拶.yomi")));
        EditorRig other;
        other.prompts.setNextAnswer(true);
        QVERIFY(!other.editor.openLesson(
            {"挨拶", rig.lessonFile(QStringLiteral("挨拶")).toStdString()}));
        QVERIFY2(other.lastMessage().contains(yomi), qPrintable(other.lastMessage()));
        QVERIFY(other.lastMessage().contains(QStringLiteral("读音更正文件")));
    }

    // A title shows as it is: "&" is no shortcut mark, a tab opens no
    // shortcut column, a long one is cut short in the middle.
    void ownLessonTitlesShowAsTheyAreInTheMenu_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("item");
        QTest::newRow("an ampersand") << QStringLiteral("A&B") << QStringLiteral("A&&B");
        QTest::newRow("a tab") << QStringLiteral("a\tb") << QStringLiteral("a b");
        const QString longTitle = QString(80, QChar(u'長'));
        QTest::newRow("240 bytes") << longTitle << QStringLiteral("…");
    }
    void ownLessonTitlesShowAsTheyAreInTheMenu() {
        QFETCH(QString, title);
        QFETCH(QString, item);
        QDir().mkpath(ownLessons());
        writeBytes(ownLessons() + QLatin1Char('/') + title + QStringLiteral(".ORV"), "x");
        Form1Fixture f;
        const QString shown = menuItems(f).first();
        if (item == QStringLiteral("…")) {
            QVERIFY2(shown.contains(item) && shown.size() < title.size(), qPrintable(shown));
            QCOMPARE(f.form->findChild<QAction*>(QStringLiteral("OwnLesson"))->toolTip(), title);
        } else {
            QCOMPARE(shown, item);
        }
    }

    void theMenuListsWhatIsInTheFolderAfterASave() {
        Form1Fixture f;
        QCOMPARE(menuItems(f), QStringList({QStringLiteral("还没有自己的课文 (disabled)"),
                                            QStringLiteral("新建课文(&N)..."),
                                            QStringLiteral("导入文本文件(&I)...")}));
        f.trigger("NewLesson");
        LessonEditor* editor = openEditors().value(0);
        QVERIFY(editor);
        auto* text = editor->findChild<QPlainTextEdit*>(QStringLiteral("LessonText"));
        editor->findChild<QLineEdit*>(QStringLiteral("Title"))
            ->setText(QStringLiteral("第1课 会話"));
        text->setFocus();
        commit(text, QStringLiteral("おはようございます。"));
        QTest::mouseClick(editor->findChild<QPushButton*>(QStringLiteral("Practise")),
                          Qt::LeftButton);
        QCOMPARE(f.m_r1->text(), std::u16string(u"おはようございます。"));
        QTRY_COMPARE(QApplication::activeWindow(), f.form.get()); // in front of the editor

        QCOMPARE(menuItems(f),
                 QStringList({QStringLiteral("第1课 会話"), QStringLiteral("新建课文(&N)..."),
                              QStringLiteral("导入文本文件(&I)..."),
                              QStringLiteral("编辑本课(&E)...")}));
        f.writeLesson(QStringLiteral("ldata/J01A.ORV"), u"本");
        f.prompts.setNextAnswer(true); // 要学习新的课程吗？
        f.prompts.setNextAnswer(true); // and again for the own lesson
        f.form->LoadLesson("ldata/J01A.ORV");
        QCOMPARE(menuItems(f).size(), 3); // 编辑本课 only for one's own lesson
        f.trigger("OwnLesson");
        QCOMPARE(f.m_r1->text(), std::u16string(u"おはようございます。"));
        menuItems(f);
        f.trigger("EditLesson");
        QList<LessonEditor*> editors = openEditors();
        QCOMPARE(editors.size(), 2);
        editors.removeOne(editor);
        QCOMPARE(editors.front()
                     ->findChild<QPlainTextEdit*>(QStringLiteral("LessonText"))
                     ->toPlainText(),
                 QStringLiteral("おはようございます。"));
    }
};

int main(int argc, char** argv) {
    // Own lessons, the journal and the settings go to folders of the test's own.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", data.filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    installFontSubstitutions();
    OwnLessonsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "own_lessons_test.moc"
