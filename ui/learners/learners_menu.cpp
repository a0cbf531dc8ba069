#include "ui/learners/learners_menu.h"

#include "ui/common/prompts.h"
#include "ui/main_window/main_menu.h"
#include "ui/user_settings.h"

#include <QActionGroup>
#include <QMenu>
#include <filesystem>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

LearnersMenu::LearnersMenu(QMenu& menu, QWidget& window, Prompts& prompts, std::string dataFolder,
                           Learner current, SwitchTo switchTo)
    : QObject(&menu), m_menu(menu), m_window(window), m_prompts(prompts),
      m_dataFolder(std::move(dataFolder)), m_current(std::move(current)),
      m_switchTo(std::move(switchTo)) {
    fill();
}

LearnerRoster LearnersMenu::roster() const {
    return LearnerRoster::load(learnerRosterFile(m_dataFolder));
}

bool LearnersMenu::keep(const LearnerRoster& roster) {
    if (!roster.save(learnerRosterFile(m_dataFolder)))
        return true;
    m_prompts.inform(&m_window, QStringLiteral("无法保存学习者名单。"), QStringLiteral("学习者"));
    return false;
}

void LearnersMenu::fill() {
    m_menu.clear();
    auto* group = new QActionGroup(&m_menu);
    const LearnerRoster learners = roster();
    for (const Learner& learner : learners.learners()) {
        QAction* item = m_menu.addAction(qs(learner.name));
        item->setObjectName(qs("Learner" + learner.id));
        item->setCheckable(true);
        item->setChecked(learner.id == m_current.id);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, id = learner.id] {
            if (id != m_current.id)
                takeOver(id);
        });
    }
    m_menu.addSeparator();
    connect(addMenuItem(&m_menu, "NewLearner", QStringLiteral("新建学习者...")),
            &QAction::triggered, this, &LearnersMenu::NewLearner_Click);
    connect(addMenuItem(&m_menu, "RenameLearner", QStringLiteral("重命名...")), &QAction::triggered,
            this, &LearnersMenu::RenameLearner_Click);
    QAction* remove = addMenuItem(&m_menu, "DeleteLearner", QStringLiteral("删除..."));
    remove->setEnabled(learners.learners().size() > 1);
    connect(remove, &QAction::triggered, this, &LearnersMenu::DeleteLearner_Click);
}

void LearnersMenu::takeOver(const std::string& id) {
    LearnerRoster learners = roster();
    learners.setLast(id);
    if (keep(learners))
        m_switchTo(id);
}

void LearnersMenu::NewLearner_Click() {
    const auto name = m_prompts.askText(&m_window, QStringLiteral("新学习者的姓名："),
                                        QStringLiteral("新建学习者"));
    if (!name || cleanLearnerName(name->toStdString()).empty())
        return;
    LearnerRoster learners = roster();
    learners.setLast(learners.add(name->toStdString()).id);
    if (keep(learners))
        m_switchTo(learners.last()->id);
}

void LearnersMenu::RenameLearner_Click() {
    const auto name = m_prompts.askText(&m_window, QStringLiteral("学习者的新姓名："),
                                        QStringLiteral("重命名"), qs(m_current.name));
    if (!name)
        return;
    LearnerRoster learners = roster();
    if (!learners.rename(m_current.id, name->toStdString())) {
        m_prompts.inform(&m_window, QStringLiteral("这个姓名已经有人用了，或者是空的。"),
                         QStringLiteral("重命名"));
        return;
    }
    if (!keep(learners))
        return;
    m_current = *learners.find(m_current.id);
    fill();
    emit renamed(qs(m_current.name));
}

// The learner at the keyboard leaves the roster; the data stays on disk
// unless they say it goes too. The program goes on with another learner.
void LearnersMenu::DeleteLearner_Click() {
    LearnerRoster learners = roster();
    if (learners.learners().size() < 2 ||
        !m_prompts.askYesNo(
            &m_window, QStringLiteral("要从这台电脑的学习者中删除“%1”吗？").arg(qs(m_current.name)),
            QStringLiteral("删除学习者")))
        return;
    const bool dataToo = m_prompts.askYesNo(
        &m_window,
        QStringLiteral("同时删除“%1”的练习记录、复习卡片和设置吗？\n选“否”则这些数据留在磁盘上。")
            .arg(qs(m_current.name)),
        QStringLiteral("删除学习者"));
    learners.remove(m_current.id);
    learners.setLast(learners.learners().front().id);
    if (!keep(learners))
        return;
    if (dataToo)
        deleteData(m_current.id);
    m_switchTo(learners.learners().front().id);
}

void LearnersMenu::deleteData(const std::string& id) {
    std::error_code ignored; // what cannot be removed stays, as when kept
    const std::string journal = learnerJournalPath(m_dataFolder, id);
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(journal + suffix, ignored);
    if (learnerFolder(m_dataFolder, id) != learnerFolder(m_dataFolder, "1"))
        std::filesystem::remove_all(learnerFolder(m_dataFolder, id), ignored);
    QSettings settings = userSettingsFile();
    settings.remove(QStringLiteral("learner-%1").arg(qs(id)));
}
