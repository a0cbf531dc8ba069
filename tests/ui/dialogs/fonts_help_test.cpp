#include "tests/support/form1_fixture.h"
#include "ui/dialogs/about_box.h"
#include "ui/dialogs/font_chooser.h"
#include "ui/dialogs/help_viewer.h"

#include <QFile>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

class FontsHelpTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;

    FontChooser* chooser(const char* name) {
        return f->form->findChild<FontChooser*>(QString::fromLatin1(name));
    }
    static FontChoice choice(const QString& family, qreal size, QColor colour = Qt::black) {
        QFont font(family);
        font.setPointSizeF(size);
        return FontChoice{font, colour};
    }
    frmAbout* shownAbout() {
        for (frmAbout* box : f->form->findChildren<frmAbout*>())
            if (box->isVisible())
                return box;
        return nullptr;
    }

  private slots:
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    void cancellingEitherDialogChangesNothing() {
        const QFont upper = f->m_r1->font(), lower = f->m_r2->font();
        chooser("CommonDialog1")->setNextChoice(std::nullopt);
        chooser("CommonDialog2")->setNextChoice(std::nullopt);
        f->trigger("uper");
        f->trigger("Lower");
        QCOMPARE(f->m_r1->font(), upper);
        QCOMPARE(f->m_r2->font(), lower);
        QCOMPARE(chooser("CommonDialog2")->colour(), QColor(Qt::black));
    }

    void aNewLessonFaceKeepsTheMarksAndTheNextCharacter() {
        f->writeLesson(QStringLiteral("ldata/J01A.ORV"), u"abc");
        f->trigger("Jlesson1_A");
        QTest::keyClicks(f->m_r2, QStringLiteral("ax"));
        chooser("CommonDialog1")
            ->setNextChoice(choice(QStringLiteral("Noto Serif CJK JP"), 24, Qt::green));
        f->trigger("uper");
        QCOMPARE(f->m_r1->font().pointSizeF(), 24.0);
        QCOMPARE(f->colourAt(0), QColor(0, 0, 255));
        QCOMPARE(f->colourAt(1), QColor(255, 0, 0));
        QVERIFY(f->underlinedAt(2));
        QTest::keyClicks(f->m_r2, QStringLiteral("c"));
        chooser("CommonDialog1")->setNextChoice(choice(QStringLiteral("Noto Sans CJK JP"), 16));
        f->trigger("uper"); // the whole lesson is typed: nothing left to mark
        QVERIFY(!f->underlinedAt(2));
        QCOMPARE(f->colourAt(2), QColor(0, 0, 255));
    }

    void theTypingColourLandsOnWhatIsTypedNext() {
        QTest::keyClicks(f->m_r2, QStringLiteral("ab"));
        chooser("CommonDialog2")
            ->setNextChoice(choice(QStringLiteral("Noto Sans CJK JP"), 20, QColor(0, 128, 0)));
        QTest::keyClick(f->form.get(), Qt::Key_L, Qt::ControlModifier);
        QCOMPARE(f->m_r2->font().pointSizeF(), 20.0);
        QVERIFY(!f->m_r2->textCursor().hasSelection());
        QTest::keyClicks(f->m_r2, QStringLiteral("c"));
        QTextCursor cursor(f->m_r2->document());
        cursor.setPosition(1);
        QVERIFY(cursor.charFormat().foreground().color() != QColor(0, 128, 0));
        cursor.setPosition(3);
        QCOMPARE(cursor.charFormat().foreground().color(), QColor(0, 128, 0));
        QCOMPARE(chooser("CommonDialog2")->colour(), QColor(0, 128, 0));
        chooser("CommonDialog2")->setNextChoice(std::nullopt);
        f->trigger("Lower");
        QCOMPARE(chooser("CommonDialog2")->colour(), QColor(0, 128, 0)); // the last confirmed
    }

    void f1AsksTheDesktopForTheHelpRelativeToTheWorkingFolder() {
        QTest::keyClick(f->form.get(), Qt::Key_F1);
        QCOMPARE(f->shell.requests(), QStringList{QStringLiteral("help/help.html")});
        QVERIFY(f->form->findChildren<HelpViewer*>().isEmpty());
    }

    void withoutADesktopHandlerTheHelpOpensInTheProgram() {
        QDir(f->folder.path()).mkpath(QStringLiteral("help"));
        QVERIFY(QFile::copy(QStringLiteral(ORVANTA_HELP_FILE),
                            f->folder.filePath(QStringLiteral("help/help.html"))));
        f->shell.setRecording(true, false);
        f->trigger("Help");
        HelpViewer* viewer = f->form->findChild<HelpViewer*>();
        QVERIFY(viewer && viewer->isVisible());
        QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("Orvanta 帮助")));
    }

    // The input method stays on while the learner reads the help: what it
    // commits never lands in the page, and Esc closes the window.
    void theHelpWindowRefusesCommitsAndClosesOnEscape() {
        QDir(f->folder.path()).mkpath(QStringLiteral("help"));
        QVERIFY(QFile::copy(QStringLiteral(ORVANTA_HELP_FILE),
                            f->folder.filePath(QStringLiteral("help/help.html"))));
        f->shell.setRecording(true, false);
        f->trigger("Help");
        QPointer<HelpViewer> viewer = f->form->findChild<HelpViewer*>();
        QVERIFY(viewer && viewer->isVisible());
        QTextBrowser* page = viewer->browser();
        page->setFocus();
        const QString before = page->toPlainText();
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("わたし"));
        QApplication::sendEvent(page, &commit);
        QCOMPARE(page->toPlainText(), before);
        QTest::keyClick(page, Qt::Key_Escape);
        QTRY_VERIFY(!viewer || !viewer->isVisible());
    }

    void withoutABrowserMoreLessonsGivesTheAddress() {
        f->shell.setRecording(true, false);
        f->prompts.setNextAnswer(true);
        f->trigger("morelesson");
        QCOMPARE(f->shell.requests(), QStringList{kHomePage});
        QCOMPARE(f->prompts.asked().back(),
                 QStringLiteral("更多课文下载|无法打开浏览器。更多课文请到：\n") + kHomePage);
    }

    void theAboutBoxShowsTitleVersionAndLinksOnEveryOpening() {
        for (int opening = 0; opening < 2; ++opening) {
            QTest::keyClick(f->form.get(), Qt::Key_T, Qt::ControlModifier);
            frmAbout* about = shownAbout();
            QVERIFY(about);
            QVERIFY(about->isModal());
            QCOMPARE(about->windowTitle(), QStringLiteral("About Orvanta"));
            auto text = [&](const char* name) {
                return about->findChild<QLabel*>(QString::fromLatin1(name))->text();
            };
            QCOMPARE(text("lblTitle"), QStringLiteral("Orvanta"));
            QCOMPARE(text("lblDescription"), QStringLiteral("Orvanta"));
            QCOMPARE(text("lblVersion"), QStringLiteral("Version 1.0.0"));
            QCOMPARE(about->findChild<QLabel*>(QStringLiteral("Label2"))->toolTip(),
                     QStringLiteral("下载更多作者的软件"));
            QCOMPARE(about->findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(),
                     QStringLiteral("确定(O)"));
            emit about->findChild<QLabel*>(QStringLiteral("Label1"))->linkActivated(kJapaneseSite);
            QTest::keyClick(about, opening == 0 ? Qt::Key_Escape : Qt::Key_Return);
            QVERIFY(!about->isVisible());
        }
        QCOMPARE(f->shell.requests().size(), 2);
        QCOMPARE(f->shell.requests().front(), kJapaneseSite);
    }

    void theHelpDocumentIsWellFormedAndItsLinksResolve() {
        QFile file(QStringLiteral(ORVANTA_HELP_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
        const QStringList voidTags = {"meta", "br", "img", "hr", "link", "input"};
        QStringList open;
        const QRegularExpression tag(QStringLiteral("<(/?)([a-zA-Z0-9]+)[^>]*>"));
        for (const auto& m : tag.globalMatch(html)) {
            const QString name = m.captured(2).toLower();
            if (voidTags.contains(name))
                continue;
            if (m.captured(1).isEmpty()) {
                open << name;
            } else {
                QVERIFY2(!open.isEmpty() && open.last() == name, qPrintable(name));
                open.removeLast();
            }
        }
        QVERIFY(open.isEmpty());
        const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
        int links = 0;
        for (const auto& m : link.globalMatch(html)) {
            ++links;
            QVERIFY2(html.contains(QStringLiteral("id=\"%1\"").arg(m.captured(1))),
                     qPrintable(m.captured(1)));
        }
        QVERIFY(links >= 9);
    }

    // Every command of the menus, but the lessons of the two volumes, by its
    // caption without the access key; a switch by either of its captions.
    void theHelpDescribesEveryMenuItem() {
        QFile file(QStringLiteral(ORVANTA_HELP_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        const QRegularExpression decoration(QStringLiteral("\\(&.\\)|&|\\.\\.\\.$"));
        QList<QMenu*> menus;
        for (QAction* top : f->form->menuBar()->actions())
            menus << top->menu();
        while (!menus.isEmpty()) {
            QMenu* menu = menus.takeFirst();
            const QString name = menu->objectName();
            if (name == QStringLiteral("Junior1") || name == QStringLiteral("Junior2"))
                continue;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                if (action->menu())
                    menus << action->menu();
                const QString caption = action->text().remove(decoration);
                QVERIFY2(html.contains(caption), qPrintable(caption));
            }
        }
    }
};

QTEST_MAIN(FontsHelpTest)
#include "fonts_help_test.moc"
