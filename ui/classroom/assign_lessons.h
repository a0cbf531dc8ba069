#pragma once

#include "classroom/class_plan.h"
#include "explain/kanji_sources.h"
#include "readings/mecab_analyser.h"

#include <QDialog>
#include <QFont>

class Prompts;
class QComboBox;
class QTableWidget;

// 布置课文: the teacher's plan for the class: course lessons, lesson files
// and texts written in the lesson editor, each with a due date, saved into
// the class folder as the plan and the class's own lesson files.
class AssignLessons final : public QDialog {
    Q_OBJECT
  public:
    AssignLessons(QString folder, Prompts& prompts, const QFont& lessonFont, QWidget* owner);

    void AddCourseLesson_Click();
    void AddLessonFile_Click();
    void WriteLesson_Click();
    void RemoveLesson_Click();
    // Writes the plan; false (and told) when the folder cannot be written.
    bool SavePlan_Click();

    std::vector<PlannedLesson> plan() const;

  private:
    void addRow(const PlannedLesson& lesson);
    std::string folder() const;

    QString m_folder;
    Prompts& m_prompts;
    QFont m_lessonFont;
    QComboBox* m_course;
    QTableWidget* m_table;
    MecabAnalyser m_analyser; // for the editor's preview, loaded when it opens
    KanjiSources m_kanji;
};
