#pragma once

#include "classroom/class_publisher.h"
#include "core/learners.h"

#include <QObject>
#include <QString>
#include <memory>

class HintRow;
class Prompts;
class QAction;
class QWidget;

// 设置 → 班级文件夹: the folder the school shares for the class. After each
// journalled attempt, and once at start, the learner's progress is published
// there by a thread of its own; while the folder cannot be written the hint
// row says so and the publisher tries again by itself.
class ClassFolderHook final : public QObject {
    Q_OBJECT
  public:
    ClassFolderHook(QWidget& window, QAction& item, HintRow& hints, Prompts& prompts,
                    std::string journalPath, Learner learner, QString folder);
    ~ClassFolderHook() override;

    const QString& folder() const { return m_folder; }
    void ClassFolder_Click();
    // The journal holds a new attempt.
    void publishSoon();

  signals:
    // Tells what became of the last publish; empty when it was published.
    void published(const QString& problem);

  private:
    void usePublisher();
    void told(const ClassPublisher::Outcome& outcome);

    QWidget& m_window;
    HintRow& m_hints;
    Prompts& m_prompts;
    std::string m_journalPath;
    Learner m_learner;
    QString m_folder;
    std::unique_ptr<ClassPublisher> m_publisher;
};

// Words for a publish that failed, for the hint row.
QString publishProblemText(FileProblem problem);
