#include "ui/dialogs/score_dialog.h"

#include "ui/common/fitted_label.h"
#include "ui/common/font_faces.h"
#include "ui/common/qt_text.h"
#include "ui/common/twips.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

namespace {

struct FigureDesign {
    DialogLabel label;
    const char* name;
    const char16_t* startCaption;
    const char16_t* caption; // painted on the background before the figure
    QColor colour;           // invalid: the window text colour
    float left, top, width, height;
};

const FigureDesign kFigures[] = {
    {DialogLabel::Label11, "Label11", u"未开始", u"开始时间：", QColor(), 2160, 840, 975, 285},
    {DialogLabel::Label13, "Label13", u"H:M:S", u"结束时间：", QColor(255, 255, 255), 2175, 1245,
     1035, 285},
    {DialogLabel::L3, "L3", u"未用", u"已用时：", QColor(255, 255, 128), 2160, 1680, 1050, 285},
    {DialogLabel::Label9, "Label9", u"0", u"总数：", QColor(), 2160, 2160, 1095, 285},
    {DialogLabel::Label5, "Label5", u"0", u"正确数：", QColor(0, 128, 0), 2160, 2520, 1095, 285},
    {DialogLabel::Label7, "Label7", u"0", u"错误数：", QColor(255, 0, 0), 2160, 2880, 1095, 285},
    {DialogLabel::Label2, "Label2", u"0", u"平均速度：", QColor(0, 0, 255), 2160, 3240, 1095, 285},
};

// Light and white figures stand on a dark band; the others on a light one.
bool onDarkBand(const FigureDesign& f) {
    return f.colour == QColor(255, 255, 255) || f.colour == QColor(255, 255, 128);
}

// The painted band behind a figure and its caption.
QRect bandOf(const FigureDesign& f) {
    return QRect(toPixels(180), toPixels(f.top) - 3, toPixels(3960), toPixels(285) + 6);
}

size_t indexOf(DialogLabel label) {
    for (size_t i = 0; i < std::size(kFigures); ++i)
        if (kFigures[i].label == label)
            return i;
    return 0;
}

} // namespace

Dialog::Dialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("保存记录"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(toPixels(4440), toPixels(4455));
    for (size_t i = 0; i < std::size(kFigures); ++i) {
        const FigureDesign& f = kFigures[i];
        auto* label = new FittedLabel(qs(f.startCaption), this);
        label->setObjectName(QString::fromLatin1(f.name));
        label->setFont(chineseFont(14.25));
        if (f.colour.isValid())
            label->setStyleSheet(QStringLiteral("color: %1").arg(f.colour.name()));
        // From the designed left to the band's end, centred on the band's height.
        const QRect band = bandOf(f);
        label->setGeometry(toPixels(f.left), band.top(), band.right() - toPixels(f.left),
                           band.height());
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_figures[i] = label;
    }
    auto* ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton),
                               QStringLiteral("保存记录"), this);
    placed(ok, "OKButton", 480, 3840, 1455, 495);
    ok->setDefault(true);
    auto* cancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                   QStringLiteral("取消(&C)"), this);
    placed(cancel, "CancelButton", 2520, 3840, 1455, 495);
    for (QPushButton* b : {ok, cancel})
        b->setFont(chineseFont(14.25));
    connect(ok, &QPushButton::clicked, this, &Dialog::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void Dialog::setFigure(DialogLabel label, const QString& text) {
    QLabel* figure = m_figures[indexOf(label)];
    if (figure->text() != text)
        figure->setText(text);
}

QString Dialog::figure(DialogLabel label) const {
    return m_figures[indexOf(label)]->text();
}

void Dialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(0xEE, 0xF3, 0xFA));
    sky.setColorAt(1, QColor(0xD6, 0xE2, 0xF0));
    painter.fillRect(rect(), sky);
    painter.setFont(chineseFont(12));
    for (const FigureDesign& f : kFigures) {
        const QRect band = bandOf(f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(onDarkBand(f) ? QColor(0x34, 0x49, 0x5E) : QColor(255, 255, 255, 200));
        painter.drawRoundedRect(band, 4, 4);
        painter.setPen(onDarkBand(f) ? QColor(0xEC, 0xF0, 0xF1) : QColor(0x2C, 0x3E, 0x50));
        painter.drawText(QRect(toPixels(240), band.top(), toPixels(1850), band.height()),
                         Qt::AlignVCenter | Qt::AlignLeft, qs(f.caption));
    }
    painter.setPen(QColor(0x2C, 0x3E, 0x50));
    painter.setFont(chineseFont(14.25));
    painter.drawText(QRect(0, toPixels(240), width(), toPixels(400)), Qt::AlignCenter,
                     QStringLiteral("本次练习成绩"));
}
