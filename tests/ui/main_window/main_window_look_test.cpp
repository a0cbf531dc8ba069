#include "tests/support/form1_fixture.h"
#include "ui/common/fitted_label.h"
#include "ui/common/twips.h"
#include "ui/dialogs/font_chooser.h"
#include "ui/dialogs/score_dialog.h"
#include "ui/main_window/hint_row.h"
#include "ui/main_window/media_player_widget.h"

#include <QHelpEvent>
#include <QMenu>
#include <QMoveEvent>
#include <QTest>
#include <QToolTip>
#include <cstring>

// What the learner sees of the main window and the save dialog: how a lesson
// appears, the mark after a font change, the layout under a window frame,
// texts that fit their boxes, the player's menu and the window's colour.
class MainWindowLookTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<Form1Fixture> f;

    void loadLesson(const char* item, std::u16string_view text) {
        const QString file =
            item[std::strlen(item) - 1] == 'A' ? QStringLiteral("J01A") : QStringLiteral("J01B");
        f->writeLesson(QStringLiteral("ldata/%1.ORV").arg(file), text);
        if (!f->m_r1->toPlainText().isEmpty())
            f->prompts.setNextAnswer(true); // give the running attempt up
        f->trigger(item);
    }
    void clickLessonAt(int documentPosition) {
        QTextCursor cursor(f->m_r1->document());
        cursor.setPosition(documentPosition);
        QTest::mouseClick(f->m_r1->viewport(), Qt::LeftButton, {},
                          f->m_r1->cursorRect(cursor).center());
    }
    // Rows of an image, inside a rectangle, that hold a pixel unlike the first
    // one of the rectangle (the background): first and last, or -1, -1.
    static std::pair<int, int> inkRows(const QImage& image, const QRect& inside) {
        const QRgb background = image.pixel(inside.topLeft());
        int first = -1, last = -1;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (image.pixel(x, y) != background) {
                    first = first < 0 ? y : first;
                    last = y;
                    break;
                }
        return {first, last};
    }
    // The text's glyphs lie wholly inside the box, as far from its top as from its bottom.
    static void verifyInkCentred(QLabel* label, const QRect& box) {
        const QImage image = label->grab().toImage();
        const auto [first, last] = inkRows(image, box);
        const QString what = label->objectName() + QLatin1Char(' ') + label->text();
        QVERIFY2(first > box.top() && last < box.bottom(), qPrintable(what + " is cut"));
        QVERIFY2(std::abs((first - box.top()) - (box.bottom() - last)) <= 1,
                 qPrintable(what + " is not centred"));
    }

  private slots:
    void init() { f = std::make_unique<Form1Fixture>(); }
    void cleanup() { f.reset(); }

    // A click beside a mark gives the box's cursor that mark's format; the
    // first character is underlined so that the learner sees where to start.
    void aNewLessonAlwaysAppearsBlackWithOnlyItsFirstCharacterUnderlined() {
        for (int clickAt : {2, 3}) {
            loadLesson("Jlesson1_A", u"abcd");
            QTest::keyClicks(f->m_r2, QStringLiteral("ax")); // a blue, b red, c underlined
            clickLessonAt(clickAt);
            loadLesson("Jlesson1_B", u"efgh");
            for (int p = 0; p < 4; ++p) {
                QCOMPARE(f->colourAt(p), QColor(Qt::black));
                QCOMPARE(f->underlinedAt(p), p == 0);
            }
            QTest::keyClicks(f->m_r2, QStringLiteral("e"));
            QVERIFY(f->underlinedAt(1));
            QVERIFY(!f->underlinedAt(2) && !f->underlinedAt(3));
        }
    }

    void aFaceChangeLeavesTheCurrentCharacterUnderlinedAndSelected() {
        loadLesson("Jlesson1_A", u"abc");
        QTest::keyClicks(f->m_r2, QStringLiteral("a"));
        QFont face(QStringLiteral("Noto Serif CJK JP"));
        face.setPointSizeF(20);
        f->form->findChild<FontChooser*>(QStringLiteral("CommonDialog1"))
            ->setNextChoice(FontChoice{face, Qt::black});
        f->trigger("uper");
        QCOMPARE(f->m_r1->textCursor().selectionStart(), 1);
        QCOMPARE(f->m_r1->textCursor().selectionEnd(), 2);
        QVERIFY(f->underlinedAt(1));
        QTest::keyClicks(f->m_r2, QStringLiteral("b")); // typing moves the mark on
        QVERIFY(!f->m_r1->textCursor().hasSelection());
        QVERIFY(f->underlinedAt(2));
    }

    // Under a window manager the first pass sees no frame yet; the frame then
    // arrives with a move of the window, not with a resize.
    void theLayoutPassRunsAgainOnceTheFrameIsKnown() {
        const QSize outer = f->form->frameGeometry().size();
        const QSize client = f->form->geometry().size();
        QVERIFY(outer != client);
        auto* player = f->form->findChild<MediaPlayerWidget*>();
        f->form->layoutFor(toTwips(outer.width()), toTwips(outer.height()));
        const QRect r1 = f->m_r1->geometry(), r2 = f->m_r2->geometry();
        const QRect playerPlace = player->geometry();
        f->form->layoutFor(toTwips(client.width()), toTwips(client.height()));
        QVERIFY(f->m_r1->geometry() != r1);
        QMoveEvent move(f->form->pos(), f->form->pos());
        QApplication::sendEvent(f->form.get(), &move);
        QCOMPARE(f->m_r1->geometry(), r1);
        QCOMPARE(f->m_r2->geometry(), r2);
        QCOMPARE(player->geometry(), playerPlace);
    }

    // The times' boxes also show Chinese; the counts' boxes figures only.
    void everyReadOutFitsItsBox() {
        const QStringList times = {QStringLiteral("未开始"), QStringLiteral("未用"),
                                   QStringLiteral("12:34:56"), QStringLiteral("0:0:59")};
        const QStringList counts = {QStringLiteral("0"), QStringLiteral("1234"),
                                    QStringLiteral("119.99")};
        for (const char* name : {"Label11", "Label3", "Label2", "Label5", "Label7", "Label9"}) {
            auto* label = f->form->findChild<QLabel*>(QString::fromLatin1(name));
            const bool time = QByteArray(name) == "Label11" || QByteArray(name) == "Label3";
            for (const QString& text : time ? times : counts) {
                label->setText(text);
                verifyInkCentred(label, label->contentsRect());
            }
        }
    }

    void everyFigureOfTheSaveDialogFitsItsBand() {
        loadLesson("Jlesson1_A", u"ab");
        QTest::keyClicks(f->m_r2, QStringLiteral("abc"));
        Dialog* dialog = f->form->scoreDialog();
        QVERIFY(dialog);
        for (QLabel* label : dialog->findChildren<FittedLabel*>()) {
            QVERIFY(label->height() <= toPixels(285) + 6);
            verifyInkCentred(label, label->rect());
        }
    }

    // At the window's designed size the row is narrower than a slip's
    // shortest hint: the word gives way, the kind stays whole.
    void theHintRowShortensTheWordNeverTheKind() {
        const QString kind = QStringLiteral("（写成汉字）");
        const QString word = QStringLiteral("わたしたちのともだち");
        const QStringList forms{
            QStringLiteral("应为「%1」，你输入了「私達の友達」%2").arg(word, kind),
            QStringLiteral("应为「%1」%2").arg(word, kind)};
        f->form->parts().hints.show(this, forms);
        auto* hint = f->form->findChild<QLabel*>(QStringLiteral("Hint"));
        QVERIFY(hint->isVisible());
        QVERIFY2(hint->text().endsWith(QStringLiteral("…」") + kind), qPrintable(hint->text()));
        QVERIFY(hint->text().startsWith(QStringLiteral("应为「わ")));
        QVERIFY(hint->geometry().right() < f->form->findChild<QLabel*>("Label14")->x());
        QVERIFY(hint->fontMetrics().horizontalAdvance(hint->text()) <= hint->width());
        QCOMPARE(hint->toolTip(), forms.front());
    }

    // The row's grey text on a transparent ground must not become the
    // tooltip's: it showed dark grey on black.
    void theHintRowsTooltipKeepsTheTooltipColours() {
        f->form->parts().hints.show(this, QStringLiteral("今日复习：3 句（F6）"));
        auto* hint = f->form->findChild<QLabel*>(QStringLiteral("Hint"));
        QHelpEvent help(QEvent::ToolTip, hint->rect().center(),
                        hint->mapToGlobal(hint->rect().center()));
        QApplication::sendEvent(hint, &help);
        const auto shownTip = []() -> QWidget* {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QStringLiteral("qtooltip_label") && w->isVisible())
                    return w;
            return nullptr;
        };
        QTRY_VERIFY(shownTip());
        QWidget* tip = shownTip();
        QCOMPARE(tip->palette().color(QPalette::WindowText),
                 QToolTip::palette().color(QPalette::ToolTipText));
        QToolTip::hideText();
    }

    // The empty lesson box says where to begin, without a character of it
    // in the box's text.
    void theEmptyLessonBoxShowsWhereToBeginOutsideItsText() {
        QVERIFY(f->m_r1->text().empty());
        QVERIFY(f->m_r1->toPlainText().isEmpty());
        QCOMPARE(f->m_r1->placeholderText(), QStringLiteral("从「课程」菜单选一课开始"));
        const QImage empty = f->m_r1->viewport()->grab().toImage();
        const QRect all = empty.rect().adjusted(1, 1, -1, -1);
        QVERIFY(inkRows(empty, all).first >= 0);
        loadLesson("Jlesson1_A", u"abc");
        QCOMPARE(f->m_r1->toPlainText(), QStringLiteral("abc"));
        const QImage lesson = f->m_r1->viewport()->grab().toImage();
        QVERIFY(lesson != empty);
    }

    // Narrowed as far as the window lets it, every read-out stays whole.
    void theWindowKeepsTheReadOutsWhole() {
        f->form->resize(420, f->form->height());
        QTRY_VERIFY(f->form->width() > 420);
        for (const char* name : {"Label11", "Label3", "Label2", "Label5", "Label7", "Label9"}) {
            auto* label = f->form->findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(label->geometry().right() < f->form->centralWidget()->width(), name);
        }
    }

    void thePlayerHasAContextMenuAndTheWindowIsInTheMenuColour() {
        auto* player = f->form->findChild<MediaPlayerWidget*>();
        QCOMPARE(player->contextMenuPolicy(), Qt::ActionsContextMenu);
        QStringList commands;
        for (const QAction* action : player->actions())
            commands << action->text();
        QCOMPARE(commands, (QStringList{QStringLiteral("播放(&P)"), QStringLiteral("停止(&S)")}));
        QMenu menu;
        menu.addAction(QStringLiteral(" "));
        const QImage menuImage = menu.grab().toImage();
        const QImage window = f->form->centralWidget()->grab().toImage();
        QCOMPARE(window.pixelColor(4, 4), menuImage.pixelColor(menuImage.width() / 2, 3));
    }
};

QTEST_MAIN(MainWindowLookTest)
#include "main_window_look_test.moc"
