#pragma once

#include "core/learners.h"

#include <QObject>
#include <functional>
#include <string>

class Prompts;
class QActionGroup;
class QMenu;
class QWidget;

// 设置 → 学习者: the learners of this PC with the one practising checked,
// and 新建学习者..., 重命名..., 删除.... Another learner takes over the
// program through `switchTo`, which restarts the window with their data; the
// roster names them as the one who practised last by then.
class LearnersMenu final : public QObject {
    Q_OBJECT
  public:
    using SwitchTo = std::function<void(const std::string& id)>;
    LearnersMenu(QMenu& menu, QWidget& window, Prompts& prompts, std::string dataFolder,
                 Learner current, SwitchTo switchTo);

    void NewLearner_Click();
    void RenameLearner_Click();
    void DeleteLearner_Click();

  signals:
    // The learner at the keyboard has a new name.
    void renamed(const QString& name);

  private:
    void fill();
    // Remembers `id` as the one practising and hands the program over.
    void takeOver(const std::string& id);
    LearnerRoster roster() const;
    bool keep(const LearnerRoster& roster);
    void deleteData(const std::string& id);

    QMenu& m_menu;
    QWidget& m_window;
    Prompts& m_prompts;
    std::string m_dataFolder;
    Learner m_current;
    SwitchTo m_switchTo;
};
