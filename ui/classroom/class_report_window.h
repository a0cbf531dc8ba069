#pragma once

#include "classroom/class_report.h"

#include <QDialog>
#include <functional>

class Prompts;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;

// 记录 → 班级报告: the class as the learners' files in the class folder show
// it, in tables that sort by any column and filter by learner and lesson;
// printed to PDF as filtered and sorted on screen.
class ClassReportWindow final : public QDialog {
    Q_OBJECT
  public:
    ClassReportWindow(QString folder, Prompts& prompts, QWidget* owner);

    // Reads the folder again.
    void refresh();
    void applyFilter();
    void printPdf_Click();
    void exportCsv_Click();
    // 布置课文...: made by the class lessons feature, when there is one.
    void setAssignAction(const std::function<void()>& assign);
    const ClassReport& report() const { return m_report; }
    const QString& folder() const { return m_folder; }

  private:
    QWidget* createFilters();
    QTabWidget* createTabs();
    QString printableHtml() const;

    QString m_folder;
    Prompts& m_prompts;
    ClassReport m_report;
    QLabel* m_summary;
    QLineEdit* m_learnerFilter;
    QLineEdit* m_lessonFilter;
    QTableWidget* m_rows;
    QTableWidget* m_learners;
    QTableWidget* m_reach;
    QTableWidget* m_slips;
    QTableWidget* m_missed;
    QTableWidget* m_unread;
    QTabWidget* m_tabs;
    std::function<void()> m_assign;
};
