#include "ui/dialogs/about_box.h"

#include "ui/common/desktop_shell.h"
#include "ui/common/font_faces.h"
#include "ui/common/twips.h"
#include "ui/common/window_buttons.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

const QString kHomePage = QStringLiteral("https://orvanta.github.io/");
const QString kJapaneseSite = QStringLiteral("https://www.nhk.or.jp/lesson/zh/");
const QString kJapaneseSiteName = QStringLiteral("NHK 简易日语");

namespace {

const QString kTitle = QStringLiteral("Orvanta");

QLabel* label(QWidget* parent, const char* name, float left, float top, float width, float height) {
    return placed(new QLabel(parent), name, left, top, width, height);
}

QLabel* linkLabel(QWidget* parent, const char* name, const QString& text, const QString& address,
                  const QString& tip, float left, DesktopShell& shell) {
    QLabel* l = label(parent, name, left, 1920, 0, 255);
    QFont font = chineseFont(9);
    font.setUnderline(true);
    l->setFont(font);
    l->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff\">%2</a>").arg(address, text));
    l->setToolTip(tip);
    l->setCursor(Qt::PointingHandCursor);
    l->adjustSize();
    QObject::connect(l, &QLabel::linkActivated, parent,
                     [&shell](const QString& link) { shell.openAddress(link); });
    return l;
}

void line(QWidget* parent, float left, float right, float top, const QColor& colour,
          int thickness) {
    auto* l = new QFrame(parent);
    l->setObjectName(QStringLiteral("Line1"));
    l->setGeometry(toPixels(left), toPixels(top), toPixels(right - left), thickness);
    l->setStyleSheet(QStringLiteral("background: %1").arg(colour.name()));
}

} // namespace

frmAbout::frmAbout(DesktopShell& shell, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    showCloseButtonOnly(this);
    setFixedSize(toPixels(4860), toPixels(2985));
    QLabel* icon = label(this, "picIcon", 120, 360, 780, 780);
    icon->setPixmap(
        QPixmap(QStringLiteral(":/orvanta.png"))
            .scaled(toPixels(780), toPixels(780), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    QLabel* title = label(this, "lblTitle", 960, 360, 1845, 240);
    title->setStyleSheet(QStringLiteral("color: #000000; font-weight: bold"));
    label(this, "lblVersion", 960, 720, 2805, 225);
    QLabel* description = label(this, "lblDescription", 960, 1080, 2805, 210);
    description->setText(kTitle);
    description->setStyleSheet(QStringLiteral("color: #000000"));
    linkLabel(this, "Label1", kJapaneseSiteName, kJapaneseSite, kJapaneseSiteName, 840, shell);
    linkLabel(this, "Label2", QStringLiteral("Orvanta 主页"), kHomePage,
              QStringLiteral("下载更多作者的软件"), 2280, shell);
    line(this, 360, 4590, 2280, QColor(128, 128, 128), 1);
    line(this, 105, 4320, 2460, QColor(255, 255, 255), 2);
    auto* ok = new QPushButton(QStringLiteral("确定(O)"), this);
    placed(ok, "cmdOK", 1800, 2520, 1260, 345);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    Form_Load();
}

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral("About ") + kTitle);
    findChild<QLabel*>(QStringLiteral("lblVersion"))
        ->setText(QStringLiteral("Version " ORVANTA_VERSION));
    findChild<QLabel*>(QStringLiteral("lblTitle"))->setText(kTitle);
}
