#include "ui/dialogs/name_entry.h"

#include "ui/common/font_faces.h"
#include "ui/common/twips.h"
#include "ui/common/window_buttons.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

inputname::inputname(QWidget* parent) : QDialog(parent), m_namebox(new QLineEdit(this)) {
    setObjectName(QStringLiteral("inputname"));
    showCloseButtonOnly(this);
    setWindowTitle(QStringLiteral("保存记录"));
    setFixedSize(toPixels(4680), toPixels(1965));
    auto* prompt = new QLabel(QStringLiteral("请输入您的姓名："), this);
    placed(prompt, "Label1", 240, 240, 3975, 375);
    prompt->setFont(chineseFont(12));
    placed(m_namebox, "namebox", 240, 720, 4095, 495);
    m_namebox->setFont(japaneseBoxFont());
    m_namebox->setToolTip(QStringLiteral("记录以 GBK 编码保存：GBK 中没有的字符将保存为“?”。"));
    auto* save = new QPushButton(QStringLiteral("保存"), this);
    placed(save, "Command1", 480, 1320, 1335, 495);
    save->setDefault(true);
    auto* dismiss = new QPushButton(QStringLiteral("取消"), this);
    placed(dismiss, "Command2", 2520, 1320, 1455, 495);
    dismiss->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &inputname::Command1_Click);
    connect(dismiss, &QPushButton::clicked, this, &inputname::Command2_Click);
    m_namebox->setFocus();
}

void inputname::offerName(const QString& name) {
    m_namebox->setText(name);
    m_namebox->selectAll();
}

void inputname::Command1_Click() {
    str = m_namebox->text();
    accept();
}

void inputname::reject() {
    cancel = 1;
    QDialog::reject();
}
