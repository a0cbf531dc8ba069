#pragma once

#include "records/attempt_review.h"

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QTableWidget;

// 记录 → 本次练习的错误: the mistakes of the attempt written last, in the order
// they were made: the line with the character marked, what the lesson has and
// what was typed, the kind, the kana the learner typed and whether the
// character was typed right later.
class MistakesWindow final : public QDialog {
    Q_OBJECT
  public:
    explicit MistakesWindow(QWidget* parent);

    // `lessonText` is the attempt's lesson (line breaks CR LF), when it can
    // be read; without it the lines are left empty.
    void show(const std::optional<ReviewedAttempt>& attempt,
              const std::optional<std::u16string>& lessonText);
    // The same, without bringing the window forward.
    void fill(const std::optional<ReviewedAttempt>& attempt,
              const std::optional<std::u16string>& lessonText);

  private:
    void fillRow(int row, const ReviewedMistake& mistake,
                 const std::optional<std::u16string>& lessonText);

    QLabel* m_summary;
    QTableWidget* m_table;
};
