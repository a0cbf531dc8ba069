#include "ui/main_window/main_controls.h"

#include "core/layout_pass.h"
#include "ui/common/fitted_label.h"
#include "ui/common/font_faces.h"
#include "ui/common/twips.h"
#include "ui/main_window/lesson_box.h"
#include "ui/main_window/media_player_widget.h"
#include "ui/main_window/menu_colour.h"
#include "ui/main_window/typing_box.h"

#include <QLabel>
#include <QMainWindow>
#include <algorithm>

namespace {

QLabel* captionLabel(QWidget* client, const char* name, const QString& text, float left, float top,
                     qreal pointSize) {
    auto* label = new QLabel(text, client);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(chineseFont(pointSize));
    label->setStyleSheet(QStringLiteral("color: #0000ff; background: transparent"));
    label->move(toPixels(left), toPixels(top));
    label->adjustSize();
    return label;
}

QLabel* readoutLabel(QWidget* client, const char* name, const QString& text, float left, float top,
                     float width, float height) {
    auto* label = new FittedLabel(text, client);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(chineseFont(14.25));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(
        QStringLiteral("color: #000000; background: #ffffff; border: 1px solid #000000"));
    label->setGeometry(twipRect(left, top, width, height));
    return label;
}

QLabel* clockLabel(QWidget* client) {
    auto* label = new QLabel(QStringLiteral("H:M:S"), client);
    label->setObjectName(QStringLiteral("Label13"));
    label->setFont(chineseFont(15.75));
    label->setStyleSheet(QStringLiteral("color: #ff0000; background: transparent"));
    label->adjustSize();
    return label;
}

void createCaptions(QWidget* client) {
    captionLabel(client, "Label12", QStringLiteral("开始时间："), 240, 120, 14.25);
    captionLabel(client, "Label1", QStringLiteral("已用时："), 3600, 120, 14.25);
    captionLabel(client, "Label10", QStringLiteral("平均速度："), 6360, 120, 14.25);
    captionLabel(client, "Label4", QStringLiteral("正确数："), 480, 600, 14.25);
    captionLabel(client, "Label6", QStringLiteral("错误数："), 3600, 600, 14.25);
    captionLabel(client, "Label8", QStringLiteral("总数："), 6840, 600, 14.25);
}

std::array<QLabel*, 7> createReadouts(QWidget* client) {
    std::array<QLabel*, 7> readouts{};
    auto slot = [&](FormLabel l) -> QLabel*& { return readouts[static_cast<size_t>(l)]; };
    slot(FormLabel::Label11) =
        readoutLabel(client, "Label11", QStringLiteral("未开始"), 2040, 120, 1200, 345);
    slot(FormLabel::Label3) =
        readoutLabel(client, "Label3", QStringLiteral("未用"), 4920, 120, 1200, 345);
    slot(FormLabel::Label2) =
        readoutLabel(client, "Label2", QStringLiteral("0"), 8040, 120, 1200, 300);
    slot(FormLabel::Label5) =
        readoutLabel(client, "Label5", QStringLiteral("0"), 2040, 600, 1200, 345);
    slot(FormLabel::Label7) =
        readoutLabel(client, "Label7", QStringLiteral("0"), 4920, 600, 1200, 300);
    slot(FormLabel::Label9) =
        readoutLabel(client, "Label9", QStringLiteral("0"), 8040, 600, 1200, 300);
    slot(FormLabel::Label13) = clockLabel(client);
    return readouts;
}

TwipRect twips(const QWidget* w) {
    return TwipRect{toTwips(w->x()), toTwips(w->y()), toTwips(w->width()), toTwips(w->height())};
}

void place(QWidget* w, const TwipRect& r) {
    w->setGeometry(twipRect(r.left, r.top, r.width, r.height));
}

} // namespace

MainControls createMainControls(QMainWindow* window) {
    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    window->setCentralWidget(client);
    paintWithMenuBackground(client);
    createCaptions(client);
    QLabel* label14 = captionLabel(client, "Label14", QStringLiteral("当前时间："), 0, 0, 15.75);
    const std::array<QLabel*, 7> readouts = createReadouts(client);
    auto* r1 = new LessonBoxWidget(client);
    r1->setObjectName(QStringLiteral("R1"));
    r1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #ffffff; }"));
    r1->setPlaceholderText(QStringLiteral("从「课程」菜单选一课开始"));
    auto* r2 = new TypingBoxWidget(client);
    r2->setObjectName(QStringLiteral("R2"));
    for (QPlainTextEdit* box : {static_cast<QPlainTextEdit*>(r1), static_cast<QPlainTextEdit*>(r2)})
        box->setFont(japaneseBoxFont());
    auto* player = new MediaPlayerWidget(client);
    r1->setGeometry(twipRect(120, 1200, 9135, 2655));
    r2->setGeometry(twipRect(120, 3960, 9135, 2415));
    player->setGeometry(twipRect(120, 6840, 9135, 675));
    return MainControls{r1, r2, player, label14, readouts};
}

int minimumClientWidth(const MainControls& controls) {
    int right = 0;
    for (const QLabel* label : controls.readouts)
        if (label != controls.readout(FormLabel::Label13)) // the clock moves with the window
            right = std::max(right, label->geometry().right() + 1);
    // The boxes' margin after them, but never wider than the window's design.
    return std::min(right + toPixels(120), toPixels(kClientWidth));
}

void layOutMainControls(const MainControls& controls, float outerWidth, float outerHeight) {
    QLabel* label13 = controls.readout(FormLabel::Label13);
    const MainLayout current{twips(controls.R1), twips(controls.R2), twips(controls.Label14),
                             twips(label13), twips(controls.player)};
    const MainLayout layout = layoutPass(outerWidth, outerHeight, current);
    place(controls.R1, layout.r1);
    place(controls.R2, layout.r2);
    controls.Label14->move(toPixels(layout.label14.left), toPixels(layout.label14.top));
    label13->move(toPixels(layout.label13.left), toPixels(layout.label13.top));
    place(controls.player, layout.player);
}
