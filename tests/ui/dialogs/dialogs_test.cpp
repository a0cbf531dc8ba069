#include "tests/support/form1_fixture.h"
#include "ui/common/translations.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/font_dialog.h"
#include "ui/dialogs/history_viewer.h"
#include "ui/dialogs/name_entry.h"
#include "ui/dialogs/save_failure_text.h"
#include "ui/dialogs/score_dialog.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QWindow>
#include <cerrno>

// The program's dialogs as a learner meets them: Chinese texts, a title bar
// with a close button only, owners, keys, fonts and file filters.
class DialogsTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;
    bool m_chinese = false;

    void completeAttempt() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"ab");
        f->trigger("Jlesson1_A");
        QTest::keyClicks(f->m_r2, QStringLiteral("abc"));
        QVERIFY(f->form->scoreDialog()->isVisible());
    }
    template <typename T> static T* shown() {
        for (QWidget* w : QApplication::allWidgets())
            if (auto* window = qobject_cast<T*>(w); window && window->isVisible())
                return window;
        return nullptr;
    }
    static bool hasCloseButtonOnly(const QWidget* window) {
        const Qt::WindowFlags flags = window->windowFlags();
        return flags.testFlag(Qt::CustomizeWindowHint) &&
               flags.testFlag(Qt::WindowCloseButtonHint) &&
               !flags.testFlag(Qt::WindowMinimizeButtonHint) &&
               !flags.testFlag(Qt::WindowMaximizeButtonHint);
    }
    static QLineEdit* fontSample(FontDialog& dialog) {
        for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
            if (qobject_cast<QGroupBox*>(edit->parentWidget()))
                return edit;
        return nullptr;
    }

  private slots:
    void initTestCase() {
        m_chinese = installTranslationsFrom(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    void withoutQtsTranslationTheProgramRunsOnInEnglish() {
        QTemporaryDir empty;
        QVERIFY(!installTranslationsFrom(empty.path()));
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("提示"), QStringLiteral("？"),
                        QMessageBox::Yes);
        QVERIFY(!box.button(QMessageBox::Yes)->text().isEmpty());
    }

    // The real question box, answered by a click once it is on screen.
    void aQuestionBoxSpeaksChineseAndHasOnlyACloseButton() {
        if (!m_chinese)
            QSKIP("qtbase_zh_CN.qm (qt6-translations-l10n) is not installed: Qt's buttons "
                  "stay English");
        QStringList buttons;
        bool closeOnly = false;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            closeOnly = hasCloseButtonOnly(box);
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            box->button(QMessageBox::No)->click();
        });
        QVERIFY(!f->prompts.askYesNo(f->form.get(), QStringLiteral("你要放弃当前的练习吗？"),
                                     QStringLiteral("提示")));
        QVERIFY(closeOnly);
        buttons.sort();
        QCOMPARE(buttons, (QStringList{QStringLiteral("否(&N)"), QStringLiteral("是(&Y)")}));
    }

    void theFontDialogOpensOnTheBoxFaceWithAJapaneseSample() {
        FontDialog dialog(f->m_r1->font(), Qt::black);
        QCOMPARE(dialog.choice().font.family(), QFontInfo(f->m_r1->font()).family());
        QCOMPARE(dialog.choice().font.pointSizeF(), 18.0);
        QLineEdit* sample = fontSample(dialog);
        QVERIFY(sample);
        QVERIFY(sample->text().contains(QStringLiteral("日本語")));
        if (m_chinese)
            QCOMPARE(qobject_cast<QGroupBox*>(sample->parentWidget())->title(),
                     QStringLiteral("示例"));
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("colourLabel"));
        QCOMPARE(label->buddy(), dialog.findChild<QPushButton*>(QStringLiteral("colourSwatch")));
    }

    // Keys go to the focused field inside Qt's font panel.
    void oneEscapeClosesTheFontDialogAndEnterConfirmsIt() {
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            FontDialog dialog(f->m_r1->font(), Qt::black);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* panel = dialog.findChild<QFontDialog*>();
            auto* field = panel->findChildren<QLineEdit*>().first();
            field->setFocus();
            QTest::keyClick(field, key);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(),
                     key == Qt::Key_Escape ? QDialog::Rejected : QDialog::Accepted);
        }
    }

    // Opened on the face list; Enter there or on the swatch reached with Tab
    // confirms, and Space on the swatch opens the colour picker.
    void enterConfirmsTheFontDialogWhereverTheFocusIs() {
        for (const bool onSwatch : {false, true}) {
            FontDialog dialog(f->m_r1->font(), Qt::black);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* faces = qobject_cast<QListView*>(dialog.focusWidget());
            QVERIFY(faces);
            QCOMPARE(faces->currentIndex().data().toString(), QFontInfo(f->m_r1->font()).family());
            QWidget* focused = faces;
            if (onSwatch) {
                focused = dialog.findChild<QPushButton*>(QStringLiteral("colourSwatch"));
                focused->setFocus(Qt::TabFocusReason);
                bool picked = false;
                QTimer::singleShot(0, this, [&picked] {
                    auto* picker = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                    picked = picker != nullptr;
                    if (picker)
                        picker->reject();
                });
                QTest::keyClick(focused, Qt::Key_Space);
                QVERIFY(picked);
                QVERIFY(dialog.isVisible());
            }
            QTest::keyClick(focused, Qt::Key_Return);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), QDialog::Accepted);
        }
    }

    // An input method types ２４ into the size field; an emptied field and
    // Enter keep the box's size rather than a size of nothing.
    void theSizeFieldTakesFullWidthDigitsAndNeverAnEmptySize() {
        FontDialog dialog(f->m_r1->font(), Qt::black);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QLineEdit* size = nullptr;
        for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
            if (edit->validator())
                size = edit;
        QVERIFY(size);
        size->setFocus();
        size->selectAll();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("２４"));
        QApplication::sendEvent(size, &commit);
        QCOMPARE(size->text(), QStringLiteral("24"));
        QCOMPARE(dialog.choice().font.pointSizeF(), 24.0);
        size->selectAll();
        QTest::keyClick(size, Qt::Key_Delete);
        QVERIFY(size->text().isEmpty());
        QTest::keyClick(size, Qt::Key_Return);
        QCOMPARE(dialog.result(), QDialog::Accepted);
        QCOMPARE(dialog.choice().font.pointSizeF(), 18.0);
    }

    // The real question, from the menu and from the viewer: Enter answers 取消.
    void aStrayEnterOnTheClearingQuestionKeepsTheHistory() {
        f->writeFile(QStringLiteral("user.cey"), QByteArray("\nrecord\r\n"));
        QString text, informative;
        auto answerWithEnter = [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            text = box->text();
            informative = box->informativeText();
            QTest::keyClick(box, Qt::Key_Return);
        };
        QTimer::singleShot(0, this, answerWithEnter);
        f->trigger("Delet");
        QCOMPARE(text, QStringLiteral("真的要清除记录吗？"));
        QCOMPARE(informative, QStringLiteral("此操作不能撤销。"));
        QVERIFY(QFile::exists(f->folder.filePath(QStringLiteral("user.cey"))));
        QVERIFY(f->form->findChild<QAction*>(QStringLiteral("Delet"))->isEnabled());
        f->trigger("See");
        Dialog1* viewer = shown<Dialog1>();
        QVERIFY(viewer);
        QTimer::singleShot(0, this, answerWithEnter);
        viewer->findChild<QPushButton*>(QStringLiteral("Clearhistory"))->click();
        QVERIFY(QFile::exists(f->folder.filePath(QStringLiteral("user.cey"))));
        viewer->close();
    }

    // A record line longer than any the program writes is still shown whole.
    void theViewerShowsALongLineWholeAndWrapsIt() {
        const QByteArray line(1200, 'x');
        f->writeFile(QStringLiteral("user.cey"), "\n" + line + "\r\nend\r\n");
        f->trigger("See");
        Dialog1* viewer = shown<Dialog1>();
        QVERIFY(viewer);
        auto* box = viewer->findChild<QPlainTextEdit*>(QStringLiteral("R1"));
        QCOMPARE(box->toPlainText(),
                 QStringLiteral("\n") + QString::fromLatin1(line) + QStringLiteral("\nend\n"));
        QCOMPARE(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QVERIFY(box->document()->findBlockByNumber(1).layout()->lineCount() > 1);
        viewer->close();
    }

    void theDialogAtCompletionHasNoOwnerAndFromSavTheMainWindowOwnsIt() {
        completeAttempt();
        Dialog* dialog = f->form->scoreDialog();
        QVERIFY(dialog->isWindow());
        QCOMPARE(dialog->parentWidget(), nullptr);
        QCOMPARE(dialog->windowHandle()->transientParent(), nullptr);
        QVERIFY(!dialog->isModal());
        QVERIFY(hasCloseButtonOnly(dialog));
        dialog->close();
        f->writeLesson(QStringLiteral("ldata/J01B.ORV"), u"cd");
        f->trigger("Jlesson1_B");
        QTest::keyClicks(f->m_r2, QStringLiteral("c"));
        f->prompts.setNextAnswer(true);
        f->trigger("Sav");
        QTRY_VERIFY(f->form->scoreDialog() && f->form->scoreDialog()->isVisible());
        QCOMPARE(f->form->scoreDialog()->parentWidget(), f->form.get());
        QVERIFY(f->form->scoreDialog()->isModal());
        QVERIFY(hasCloseButtonOnly(f->form->scoreDialog()));
    }

    void theOtherDialogsHaveACloseButtonOnlyAndTheNameBoxTheBoxFont() {
        completeAttempt();
        QTest::mouseClick(f->form->scoreDialog()->findChild<QPushButton*>("OKButton"),
                          Qt::LeftButton);
        inputname* entry = shown<inputname>();
        QVERIFY(entry);
        QVERIFY(hasCloseButtonOnly(entry));
        QCOMPARE(entry->findChild<QLineEdit*>("namebox")->font(), f->m_r2->font());
        entry->reject();
        f->trigger("See");
        QVERIFY(hasCloseButtonOnly(shown<Dialog1>()));
        f->trigger("About");
        QVERIFY(hasCloseButtonOnly(shown<frmAbout>()));
    }

    void theOpenFilterNamesTheLessonFilesOnce() {
        f->prompts.setNextFile(QString());
        f->trigger("Openfile");
        QCOMPARE(f->prompts.fileFilters().back(), QStringLiteral("课文文件(*.ORV)"));
    }

    void aFailedSaveNamesItsReasonInChinese() {
        QDir(f->folder.path()).mkdir(QStringLiteral("user.cey"));
        completeAttempt();
        QTest::mouseClick(f->form->scoreDialog()->findChild<QPushButton*>("OKButton"),
                          Qt::LeftButton);
        f->prompts.setNextAnswer(true); // the message's OK
        inputname* entry = shown<inputname>();
        QTest::keyClicks(entry->findChild<QLineEdit*>("namebox"), QStringLiteral("Mei"));
        QTest::mouseClick(entry->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        const QString message = f->prompts.asked().back();
        QVERIFY2(message.contains(QStringLiteral("user.cey 是一个文件夹")), qPrintable(message));
        QVERIFY(!message.contains(QStringLiteral("directory")));
    }

    void everySaveFailureHasAChineseReason_data() {
        QTest::addColumn<FileProblem>("problem");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no permission")
            << FileProblem::NoPermission << QStringLiteral("没有写入权限");
        QTest::newRow("disk full") << FileProblem::DiskFull << QStringLiteral("磁盘已满");
        QTest::newRow("a folder") << FileProblem::Folder << QStringLiteral("user.cey 是一个文件夹");
        QTest::newRow("a device") << FileProblem::NotARegularFile
                                  << QStringLiteral("user.cey 不是普通文件");
        QTest::newRow("a symlink loop")
            << FileProblem::SymlinkLoop << QStringLiteral("符号链接循环");
        QTest::newRow("locked by another program")
            << FileProblem::Busy << QStringLiteral("记录文件正被另一个程序使用");
        QTest::newRow("anything else") << FileProblem::Failed << QStringLiteral("磁盘读写出错");
    }
    void everySaveFailureHasAChineseReason() {
        QFETCH(FileProblem, problem);
        QFETCH(QString, reason);
        QCOMPARE(saveFailureReason(problem, QStringLiteral("user.cey")), reason);
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
