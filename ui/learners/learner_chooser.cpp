#include "ui/learners/learner_chooser.h"

#include "ui/common/font_faces.h"
#include "ui/common/window_buttons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

LearnerChooser::LearnerChooser(const LearnerRoster& roster, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)) {
    setObjectName(QStringLiteral("LearnerChooser"));
    showCloseButtonOnly(this);
    setWindowTitle(QStringLiteral("谁在练习？"));
    auto* question = new QLabel(QStringLiteral("谁在练习？请选择你的名字："), this);
    question->setFont(chineseFont(12));
    m_list->setObjectName(QStringLiteral("LearnerList"));
    m_list->setFont(chineseFont(12));
    const Learner* last = roster.last();
    for (const Learner& learner : roster.learners()) {
        auto* item = new QListWidgetItem(QString::fromStdString(learner.name), m_list);
        item->setData(Qt::UserRole, QString::fromStdString(learner.id));
        if (last && last->id == learner.id)
            m_list->setCurrentItem(item);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* start =
        buttons->addButton(QStringLiteral("开始练习"), QDialogButtonBox::AcceptRole);
    start->setDefault(true);
    buttons->addButton(QStringLiteral("退出"), QDialogButtonBox::RejectRole)->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(360, 320);
    m_list->setFocus();
}

std::string LearnerChooser::chosenId() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString().toStdString() : std::string();
}

std::optional<std::string> askWhoIsPractising(const LearnerRoster& roster) {
    LearnerChooser chooser(roster);
    if (chooser.exec() != QDialog::Accepted || chooser.chosenId().empty())
        return std::nullopt;
    return chooser.chosenId();
}
