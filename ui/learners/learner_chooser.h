#pragma once

#include "core/learners.h"

#include <QDialog>
#include <optional>
#include <string>

class QListWidget;

// 谁在练习？: the learners of this PC, the one who practised last selected;
// Enter (or a double click) starts with the selected one.
class LearnerChooser final : public QDialog {
    Q_OBJECT
  public:
    explicit LearnerChooser(const LearnerRoster& roster, QWidget* parent = nullptr);
    // The id of the learner selected.
    std::string chosenId() const;

  private:
    QListWidget* m_list;
};

// Shows the chooser and waits; nothing when it was closed without a choice.
std::optional<std::string> askWhoIsPractising(const LearnerRoster& roster);
