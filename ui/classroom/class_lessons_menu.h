#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <functional>

class HintRow;
class Journal;
class PracticeSession;
class QMenu;

// 课程 → 班级课文: the lessons the teacher put into the class folder, in the
// plan's order, each with its due date and a done mark once a completed
// attempt is journalled; choosing one loads it. At start the hint row names
// what is due this week and not done yet.
class ClassLessonsMenu final : public QObject {
    Q_OBJECT
  public:
    using JournalReader = std::function<const Journal&()>;
    using Folder = std::function<QString()>; // the class folder; empty while there is none
    ClassLessonsMenu(QMenu& menu, PracticeSession& session, HintRow& hints, JournalReader journal,
                     Folder folder, QDate today);

    // Reads the plan and the journal again.
    void fill();
    // What is due from today to the week's Sunday and not done; empty when nothing.
    QString dueThisWeek() const;

  private:
    QMenu& m_menu;
    PracticeSession& m_session;
    JournalReader m_journal;
    Folder m_folder;
    QDate m_today;
};
