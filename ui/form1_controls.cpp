#include "ui/form1.h"

#include "ui/font_faces.h"
#include "ui/lesson_box.h"
#include "ui/media_player_widget.h"
#include "ui/twips.h"
#include "ui/typing_box.h"

#include <QAction>
#include <QLabel>

// The main window's controls at their designed places, and the layout pass
// that moves the boxes, the clock and the player when the window's size changes.

QLabel* Form1::captionLabel(const char* name, const QString& text, float left, float top,
                            qreal pointSize) {
    auto* label = new QLabel(text, centralWidget());
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(chineseFont(pointSize));
    label->setStyleSheet(QStringLiteral("color: #0000ff; background: transparent"));
    label->move(toPixels(left), toPixels(top));
    label->adjustSize();
    return label;
}

QLabel* Form1::readoutLabel(const char* name, const QString& text, float left, float top,
                            float width, float height) {
    auto* label = new QLabel(text, centralWidget());
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(chineseFont(14.25));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(
        QStringLiteral("color: #000000; background: #ffffff; border: 1px solid #000000"));
    label->setGeometry(twipRect(left, top, width, height));
    return label;
}

void Form1::createControls() {
    setCentralWidget(new QWidget(this));
    centralWidget()->setObjectName(QStringLiteral("client"));
    captionLabel("Label12", QStringLiteral("开始时间："), 240, 120, 14.25);
    captionLabel("Label1", QStringLiteral("已用时："), 3600, 120, 14.25);
    captionLabel("Label10", QStringLiteral("平均速度："), 6360, 120, 14.25);
    captionLabel("Label4", QStringLiteral("正确数："), 480, 600, 14.25);
    captionLabel("Label6", QStringLiteral("错误数："), 3600, 600, 14.25);
    captionLabel("Label8", QStringLiteral("总数："), 6840, 600, 14.25);
    m_label14 = captionLabel("Label14", QStringLiteral("当前时间："), 0, 0, 15.75);
    auto slot = [this](FormLabel l) -> QLabel*& { return m_readouts[static_cast<size_t>(l)]; };
    slot(FormLabel::Label11) =
        readoutLabel("Label11", QStringLiteral("未开始"), 2040, 120, 1200, 345);
    slot(FormLabel::Label3) = readoutLabel("Label3", QStringLiteral("未用"), 4920, 120, 1200, 345);
    slot(FormLabel::Label2) = readoutLabel("Label2", QStringLiteral("0"), 8040, 120, 1200, 300);
    slot(FormLabel::Label5) = readoutLabel("Label5", QStringLiteral("0"), 2040, 600, 1200, 345);
    slot(FormLabel::Label7) = readoutLabel("Label7", QStringLiteral("0"), 4920, 600, 1200, 300);
    slot(FormLabel::Label9) = readoutLabel("Label9", QStringLiteral("0"), 8040, 600, 1200, 300);
    m_label13 = new QLabel(QStringLiteral("H:M:S"), centralWidget());
    m_label13->setObjectName(QStringLiteral("Label13"));
    m_label13->setFont(chineseFont(15.75));
    m_label13->setStyleSheet(QStringLiteral("color: #ff0000; background: transparent"));
    m_label13->adjustSize();
    slot(FormLabel::Label13) = m_label13;

    m_r1 = new LessonBoxWidget(centralWidget());
    m_r1->setObjectName(QStringLiteral("R1"));
    m_r1->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #ffffff; }"));
    m_r2 = new TypingBoxWidget(centralWidget());
    m_r2->setObjectName(QStringLiteral("R2"));
    for (QPlainTextEdit* box :
         {static_cast<QPlainTextEdit*>(m_r1), static_cast<QPlainTextEdit*>(m_r2)})
        box->setFont(japaneseBoxFont());
    m_player = new MediaPlayerWidget(centralWidget());
    m_r1->setGeometry(twipRect(120, 1200, 9135, 2655));
    m_r2->setGeometry(twipRect(120, 3960, 9135, 2415));
    m_player->setGeometry(twipRect(120, 6840, 9135, 675));
    connect(m_r2, &TypingBoxWidget::learnerChanged, this, &Form1::R2_Change);
    connect(m_r2, &TypingBoxWidget::characterKeyPressed, this, &Form1::R2_KeyPress);
    m_r2->setFocus();
}

void Form1::connectMenu() {
    for (const MainMenu::LessonItem& lesson : m_menu.lessons)
        connect(lesson.action, &QAction::triggered, this,
                [this, path = nativePath(lesson.path)] { LoadLesson(path); });
    connect(m_menu.Openfile, &QAction::triggered, this, &Form1::Openfile_Click);
    connect(m_menu.morelesson, &QAction::triggered, this, &Form1::morelesson_Click);
    connect(m_menu.quit, &QAction::triggered, this, &Form1::quit_Click);
    connect(m_menu.Se, &QAction::triggered, this, &Form1::Se_Click);
    connect(m_menu.Key, &QAction::triggered, this, &Form1::Key_Click);
    connect(m_menu.Music, &QAction::triggered, this, &Form1::Music_Click);
    connect(m_menu.Sav, &QAction::triggered, this, &Form1::Sav_Click);
    connect(m_menu.uper, &QAction::triggered, this, &Form1::uper_Click);
    connect(m_menu.Lower, &QAction::triggered, this, &Form1::Lower_Click);
    connect(m_menu.Help, &QAction::triggered, this, &Form1::Help_Click);
    connect(m_menu.About, &QAction::triggered, this, &Form1::About_Click);
    connect(m_menu.See, &QAction::triggered, m_scores, &ScoreKeeper::See_Click);
    connect(m_menu.Delet, &QAction::triggered, m_scores, &ScoreKeeper::Delet_Click);
}

MainLayout Form1::currentLayout() const {
    auto twips = [](const QWidget* w) {
        return TwipRect{toTwips(w->x()), toTwips(w->y()), toTwips(w->width()),
                        toTwips(w->height())};
    };
    return MainLayout{twips(m_r1), twips(m_r2), twips(m_label14), twips(m_label13),
                      twips(m_player)};
}

void Form1::placeLayout(const MainLayout& layout) {
    auto place = [](QWidget* w, const TwipRect& r) {
        w->setGeometry(twipRect(r.left, r.top, r.width, r.height));
    };
    place(m_r1, layout.r1);
    place(m_r2, layout.r2);
    m_label14->move(toPixels(layout.label14.left), toPixels(layout.label14.top));
    m_label13->move(toPixels(layout.label13.left), toPixels(layout.label13.top));
    place(m_player, layout.player);
}

void Form1::layoutFor(float outerWidth, float outerHeight) {
    placeLayout(layoutPass(outerWidth, outerHeight, currentLayout()));
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    const QSize outer = frameGeometry().size();
    layoutFor(toTwips(outer.width()), toTwips(outer.height()));
}
