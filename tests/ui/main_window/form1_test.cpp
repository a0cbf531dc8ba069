#include "tests/fakes/recording_observer.h"
#include "tests/support/form1_fixture.h"
#include "ui/dialogs/score_dialog.h"
#include "ui/main_window/media_player_widget.h"
#include "ui/program.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

class Form1Test : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;

    // Loads "ab / cd" through the lesson menu, as the learner would.
    void loadShortLesson() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"ab\r\ncd");
        f->trigger("Jlesson1_A");
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("ab\ncd"));
    }

  private slots:
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    void startsWithItsDesignCaptionsAndNoLesson() {
        QCOMPARE(f->form->windowTitle(), QStringLiteral("Orvanta"));
        QCOMPARE(f->label("Label11"), QStringLiteral("未开始"));
        QCOMPARE(f->label("Label3"), QStringLiteral("未用"));
        for (const char* name : {"Label2", "Label5", "Label7", "Label9"})
            QCOMPARE(f->label(name), QStringLiteral("0"));
        QCOMPARE(f->label("Label13"), QStringLiteral("H:M:S"));
        QVERIFY(!f->form->findChild<QAction*>(QStringLiteral("Sav"))->isEnabled());
        QVERIFY(!f->form->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        QVERIFY(f->form->findChild<QTimer*>(QStringLiteral("Timer2"))->isActive());
        QVERIFY(!f->form->findChild<MediaPlayerWidget*>()->isEnabled());
        QTRY_COMPARE(f->label("Label13"), QStringLiteral("9:00:00"));
        QVERIFY(f->m_r1->isReadOnly());
    }

    void menuTreeHasEveryItemCaptionAndShortcut() {
        const QList<QMenu*> top =
            f->form->menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly);
        QStringList captions;
        for (QAction* a : f->form->menuBar()->actions())
            captions << a->text();
        QCOMPARE(captions, (QStringList{"课程(&K)", "设置(&P)", "记录(&S)", "帮助(&H)"}));
        auto action = [&](const char* name) {
            return f->form->findChild<QAction*>(QString::fromLatin1(name));
        };
        const struct {
            const char* name;
            const char* caption;
            QKeySequence shortcut;
        } items[] = {
            {"morelesson", "更多课文下载", {}},
            {"Openfile", "打开(&O)...", {}},
            {"quit", "退出(&Q)", QKeySequence(QStringLiteral("Ctrl+Q"))},
            {"uper", "上面文本框字体(&U)", QKeySequence(QStringLiteral("Ctrl+U"))},
            {"Lower", "下面文本框字体(&L)", QKeySequence(QStringLiteral("Ctrl+L"))},
            {"Se", "关闭音效(&E)", QKeySequence(QStringLiteral("Ctrl+E"))},
            {"Key", "关闭键盘音(&K)", QKeySequence(QStringLiteral("Ctrl+K"))},
            {"Sav", "记录当前成绩(&S)", QKeySequence(QStringLiteral("F3"))},
            {"See", "查看记录(&S)", QKeySequence(QStringLiteral("Ctrl+S"))},
            {"Delet", "清空记录(&D)", QKeySequence(QStringLiteral("Ctrl+D"))},
            {"Help", "帮助(&H)", QKeySequence(QStringLiteral("F1"))},
            {"About", "关于(&T)", QKeySequence(QStringLiteral("Ctrl+T"))},
        };
        for (const auto& item : items) {
            QVERIFY2(action(item.name), item.name);
            QCOMPARE(action(item.name)->text(), QString::fromUtf8(item.caption));
            QCOMPARE(action(item.name)->shortcut(), item.shortcut);
        }
        QCOMPARE(f->form->findChild<QMenu*>(QStringLiteral("Junior1"))->title(),
                 QStringLiteral("新版标日初级(上)"));
        const QList<QAction*> volume2 =
            f->form->findChild<QMenu*>(QStringLiteral("Junior2"))->actions();
        QCOMPARE(volume2.size(), 48);
        QCOMPARE(volume2.first()->objectName(), QStringLiteral("Jlesson25_A"));
        QCOMPARE(volume2[6]->text(), QStringLiteral("第二十八课 基本课文"));
        QCOMPARE(action("Jlesson10_A")->text(), QStringLiteral("第十课 基本课文"));
        QCOMPARE(action("Jlesson11_B")->text(), QStringLiteral("第十一课 应用课文"));
        QCOMPARE(action("Jlesson21_B")->text(), QStringLiteral("第二十一课 应用课文"));
        QCOMPARE(action("Jlesson48_B")->text(), QStringLiteral("第四十八课 应用课文"));
        QVERIFY(action("Jlesson1_A")->shortcut().isEmpty());
        QVERIFY(action("noman1")->isSeparator());
        QVERIFY(action("noman")->isSeparator());
    }

    void lessonItemsLoadTheirFilesByTheRule() {
        f->writeLesson(QStringLiteral("ldata/J28B.ORV"), u"二十八");
        f->trigger("Jlesson28_B");
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("二十八"));
        f->prompts.setNextAnswer(true);
        f->writeLesson(QStringLiteral("ldata/J48B.ORV"), u"四十八");
        f->trigger("Jlesson48_B");
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("四十八"));
    }

    void typingColoursCountsAndUnderlinesTheLesson() {
        loadShortLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("a"));
        QCOMPARE(f->colourAt(0), QColor(0, 0, 255));
        QVERIFY(f->underlinedAt(1));
        QVERIFY(!f->underlinedAt(0));
        QTest::keyClicks(f->m_r2, QStringLiteral("x"));
        QCOMPARE(f->colourAt(1), QColor(255, 0, 0));
        QCOMPARE(f->label("Label9"), QStringLiteral("2"));
        QCOMPARE(f->label("Label5"), QStringLiteral("1"));
        QCOMPARE(f->label("Label7"), QStringLiteral("1"));
        QVERIFY(f->form->findChild<QAction*>(QStringLiteral("Sav"))->isEnabled());
        QVERIFY(f->form->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        QTest::keyClick(f->m_r2, Qt::Key_Backspace);
        QCOMPARE(f->colourAt(1), QColor(0, 0, 0));
        QVERIFY(f->underlinedAt(1));
        QCOMPARE(f->label("Label7"), QStringLiteral("0"));
        QCOMPARE(f->me1.played().back(), f->folder.path().toStdString() + "/Sound/back.wav");
    }

    void inputMethodPreeditEvaluatesNothingAndCommitsInOrder() {
        f->writeLesson(QStringLiteral("ldata/J02A.ORV"), u"これは本です。");
        f->trigger("Jlesson2_A");
        f->preedit(QStringLiteral("これ"));
        QCOMPARE(f->label("Label9"), QStringLiteral("0"));
        QVERIFY(f->me1.log.empty());
        f->commit(QStringLiteral("これわ"));
        QCOMPARE(f->colourAt(0), QColor(0, 0, 255));
        QCOMPARE(f->colourAt(1), QColor(0, 0, 255));
        QCOMPARE(f->colourAt(2), QColor(255, 0, 0));
        QCOMPARE(f->label("Label9"), QStringLiteral("3"));
        QCOMPARE(f->me1.played().size(), 3u);
    }

    void anObserverFollowsInputMethodCommitsKeysAndTakeBacks() {
        RecordingObserver observer;
        observeAttempts(*f->form, observer);
        f->writeLesson(QStringLiteral("ldata/J02A.ORV"), u"これは\r\n本");
        f->trigger("Jlesson2_A");
        f->preedit(QStringLiteral("これ"));
        f->commit(QStringLiteral("これわ"));
        QTest::keyClick(f->m_r2, Qt::Key_Backspace);
        f->commit(QStringLiteral("は"));
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        f->commit(QStringLiteral("木"));
        const std::vector<std::string> expected = {
            "loaded", "right 0 こ こ", "right 1 れ れ", "wrong 2 は わ",
            "back 2", "right 2 は は", "break 3",       "wrong 5 本 木"};
        std::erase(observer.log, "started"); // whenever Timer1 first ticks
        QCOMPARE(observer.log, expected);
    }

    void theLineBreakIsTypedForTheLearnerAndTakenBackWhole() {
        loadShortLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("abz"));
        QCOMPARE(f->typed(), QStringLiteral("ab\n"));
        QVERIFY(f->underlinedAt(3)); // "c", after the separator
        QCOMPARE(f->label("Label9"), QStringLiteral("2"));
        QTest::keyClick(f->m_r2, Qt::Key_Backspace);
        QCOMPARE(f->typed(), QStringLiteral("ab"));
        QCOMPARE(f->form->state().CurPos, 2);
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        QCOMPARE(f->typed(), QStringLiteral("ab\n"));
        QCOMPARE(f->form->state().CurPos, 4);
        QCOMPARE(f->form->state().PrevTyped, u"ab\r\n");
    }

    void enterOneCharacterEarlyKeepsTheBoxInStep() {
        loadShortLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("a"));
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        QCOMPARE(f->colourAt(1), QColor(255, 0, 0));
        QCOMPARE(f->form->state().CurPos, 4);
        QCOMPARE(f->typed().size(), 3); // "a", the mark, the line break
        QTest::keyClicks(f->m_r2, QStringLiteral("cd"));
        QVERIFY(!f->form->scoreDialog() || !f->form->scoreDialog()->isVisible());
        QTest::keyClicks(f->m_r2, QStringLiteral("!"));
        QVERIFY(f->form->scoreDialog()->isVisible());
    }

    void completionResetsTheWindowAndShowsTheFigures() {
        loadShortLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("ab"));
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        QTest::keyClicks(f->m_r2, QStringLiteral("cx"));
        QVERIFY(!f->form->scoreDialog()->isVisible());
        QTest::keyClicks(f->m_r2, QStringLiteral("."));
        Dialog* dialog = f->form->scoreDialog();
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->figure(DialogLabel::Label9), QStringLiteral("4"));
        QCOMPARE(dialog->figure(DialogLabel::Label7), QStringLiteral("1"));
        QCOMPARE(f->label("Label9"), QStringLiteral("0"));
        QCOMPARE(f->label("Label11"), QStringLiteral("未开始"));
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        QVERIFY(f->typed().isEmpty());
        QCOMPARE(f->me1.played().back(), f->folder.path().toStdString() + "/Sound/finish.wav");
        QTest::keyClicks(f->m_r2, QStringLiteral("q"));
        QCOMPARE(f->label("Label9"), QStringLiteral("0"));
    }

    void aSecondLoadAsksAndNoKeepsTheAttempt() {
        loadShortLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("ax"));
        f->prompts.setNextAnswer(false);
        f->trigger("Jlesson1_A");
        QCOMPARE(f->prompts.asked().back(), QStringLiteral("提示|要学习新的课程吗？"));
        QCOMPARE(f->typed(), QStringLiteral("ax"));
        QCOMPARE(f->colourAt(1), QColor(255, 0, 0));
        QVERIFY(f->form->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
        f->prompts.setNextAnswer(true);
        f->trigger("Jlesson1_A");
        QVERIFY(f->typed().isEmpty());
        QCOMPARE(f->colourAt(1), QColor(0, 0, 0));
        QCOMPARE(f->label("Label7"), QStringLiteral("0"));
        QVERIFY(!f->form->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    }

    void theClockTakesTheStartOnItsFirstTickAndShowsTheSpeed() {
        loadShortLesson();
        f->clock.time = {9, 59, 58};
        QTest::keyClicks(f->m_r2, QStringLiteral("a"));
        QTRY_COMPARE(f->label("Label11"), QStringLiteral("9:59:58"));
        QVERIFY(!f->form->findChild<QTimer*>(QStringLiteral("Timer2"))->isActive());
        f->clock.time = {10, 0, 3};
        QTRY_COMPARE(f->label("Label3"), QStringLiteral("0:0:5"));
        QCOMPARE(f->label("Label2"), QStringLiteral("11.999"));
        QCOMPARE(f->label("Label13"), QStringLiteral("10:00:03"));
        QCOMPARE(f->form->scoreDialog()->figure(DialogLabel::L3), QStringLiteral("0:0:5"));
        QTest::keyClicks(f->m_r2, QStringLiteral("b"));
        QCOMPARE(f->label("Label2"), QStringLiteral("23.999")); // at once, not at the next tick
    }

    void selectionNeverCoversMoreThanOneCharacter() {
        loadShortLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("ab"));
        QTest::keyClick(f->m_r2, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(f->m_r2->textCursor().selectedText(), QStringLiteral("b"));
        QTest::keyClick(f->m_r2, Qt::Key_Left, Qt::ShiftModifier);
        QVERIFY(!f->m_r2->textCursor().hasSelection());
        QCOMPARE(f->m_r2->textCursor().position(), 2);
        f->m_r2->selectAll();
        QVERIFY(!f->m_r2->textCursor().hasSelection());
        const QPoint start = f->m_r2->cursorRect(QTextCursor(f->m_r2->document())).center();
        QTest::mouseDClick(f->m_r2->viewport(), Qt::LeftButton, {}, start);
        QVERIFY(!f->m_r2->textCursor().hasSelection());
        QCOMPARE(f->m_r2->textCursor().position(), 2);
        QCOMPARE(f->typed(), QStringLiteral("ab")); // the guard never changes the text

        // A drag from the start across both characters.
        QWidget* viewport = f->m_r2->viewport();
        QTextCursor end(f->m_r2->document());
        end.movePosition(QTextCursor::End);
        const QPoint to = f->m_r2->cursorRect(end).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QMouseEvent drag(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &drag);
        QVERIFY(!f->m_r2->textCursor().hasSelection());
        QCOMPARE(f->m_r2->textCursor().position(), 2);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }

    void overtypingOneSelectedCharacterEvaluatesNothing() {
        loadShortLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("a"));
        QTest::keyClick(f->m_r2, Qt::Key_Left, Qt::ShiftModifier);
        const size_t cues = f->me1.played().size();
        QTest::keyClicks(f->m_r2, QStringLiteral("z"));
        QCOMPARE(f->typed(), QStringLiteral("z"));
        QCOMPARE(f->me1.played().size(), cues);
        QCOMPARE(f->label("Label5"), QStringLiteral("1"));
    }

    void characterKeysClickAndOtherKeysDoNot() {
        QTest::keyClicks(f->m_r2, QStringLiteral("a"));
        QTest::keyClick(f->m_r2, Qt::Key_Return);
        QTest::keyClick(f->m_r2, Qt::Key_Backspace);
        const std::vector<std::string> threeClicks = {"close", "open",  "play", "close", "open",
                                                      "play",  "close", "open", "play"};
        QCOMPARE(f->mm3.log.size(), 1 + threeClicks.size()); // the file name, then the clicks
        QCOMPARE(f->mm3.log.front(), "file " + f->folder.path().toStdString() + "/Sound/Type.wav");
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Delete, Qt::Key_F5, Qt::Key_Home})
            QTest::keyClick(f->m_r2, key);
        QCOMPARE(f->mm3.log.size(), 1 + threeClicks.size());
    }

    void openfileCancelledChangesNothingAndChosenFileLoads() {
        loadShortLesson();
        QTest::keyClicks(f->m_r2, QStringLiteral("a"));
        f->prompts.setNextFile(QString());
        f->trigger("Openfile");
        QCOMPARE(f->typed(), QStringLiteral("a"));
        QCOMPARE(f->form->state().CurPos, 1);
        f->writeLesson(QStringLiteral("other.txt"), u"別の課文");
        f->prompts.setNextFile(f->folder.filePath(QStringLiteral("other.txt")));
        f->prompts.setNextAnswer(true);
        f->trigger("Openfile");
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("別の課文"));
    }

    void moreLessonsOpensTheHomePageAndChangesNothing() {
        loadShortLesson();
        f->trigger("morelesson");
        QCOMPARE(f->shell.requests().size(), 1);
        QVERIFY(f->shell.requests().front().startsWith(QStringLiteral("https://")));
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("ab\ncd"));
    }

    void layoutPassFollowsTheWindowSize() {
        f->form->layoutFor(9375, 8510);
        auto* r1 = f->m_r1;
        auto* r2 = f->m_r2;
        QCOMPARE(r1->geometry(), QRect(8, 80, 609, 177));
        QCOMPARE(r2->geometry(), QRect(8, 260, 609, 177));
        auto* label14 = f->form->findChild<QLabel*>(QStringLiteral("Label14"));
        auto* label13 = f->form->findChild<QLabel*>(QStringLiteral("Label13"));
        QCOMPARE(label14->y(), 439); // 6580 twips
        QCOMPARE(label13->y(), 439);
        QCOMPARE(label13->x(), 313); // W / 2
        auto* player = f->form->findChild<MediaPlayerWidget*>();
        QCOMPARE(player->y(), qRound((6580 + label14->height() * 15 + 20) / 15.0));
        f->form->layoutFor(9375, 3200);
        QCOMPARE(r1->height(), 177); // heights stay
        f->form->layoutFor(2000, 9000);
        QCOMPARE(r1->width(), 117);
        QVERIFY(label14->x() < 0);
        f->form->layoutFor(100, 9000);
        QCOMPARE(r1->width(), 0);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
