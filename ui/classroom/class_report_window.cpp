#include "ui/classroom/class_report_window.h"

#include "classroom/class_plan.h"
#include "classroom/report_output.h"
#include "core/atomic_write.h"
#include "ui/classroom/report_tables.h"
#include "ui/common/prompts.h"
#include "ui/common/window_buttons.h"

#include <QDate>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

// Rows of `table` whose `column` holds `text`, or every row for an empty text.
void showMatching(QTableWidget& table, int column, const QString& text) {
    for (int row = 0; row < table.rowCount(); ++row) {
        const QTableWidgetItem* item = table.item(row, column);
        table.setRowHidden(row, !text.isEmpty() && item &&
                                    !item->text().contains(text, Qt::CaseInsensitive));
    }
}

void showMatchingBoth(QTableWidget& table, const QString& learner, const QString& lesson) {
    for (int row = 0; row < table.rowCount(); ++row) {
        const auto matches = [&](int column, const QString& text) {
            const QTableWidgetItem* item = table.item(row, column);
            return text.isEmpty() || (item && item->text().contains(text, Qt::CaseInsensitive));
        };
        table.setRowHidden(row, !matches(static_cast<int>(RowColumn::Learner), learner) ||
                                    !matches(static_cast<int>(RowColumn::Lesson), lesson));
    }
}

// The rows shown, in the order shown, as an HTML table.
QString tableHtml(const QString& heading, const QTableWidget& table) {
    QString html = QStringLiteral("<h3>%1</h3><table border=1 cellspacing=0 cellpadding=3><tr>")
                       .arg(heading.toHtmlEscaped());
    for (int c = 0; c < table.columnCount(); ++c)
        html += QStringLiteral("<th>%1</th>")
                    .arg(table.horizontalHeaderItem(c)->text().toHtmlEscaped());
    html += QStringLiteral("</tr>");
    for (int r = 0; r < table.rowCount(); ++r) {
        if (table.isRowHidden(r))
            continue;
        html += QStringLiteral("<tr>");
        for (int c = 0; c < table.columnCount(); ++c)
            html +=
                QStringLiteral("<td>%1</td>")
                    .arg(table.item(r, c) ? table.item(r, c)->text().toHtmlEscaped() : QString());
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

} // namespace

ClassReportWindow::ClassReportWindow(QString folder, Prompts& prompts, QWidget* owner)
    : QDialog(owner), m_folder(std::move(folder)), m_prompts(prompts), m_summary(new QLabel(this)) {
    setObjectName(QStringLiteral("ClassReport"));
    setWindowTitle(QStringLiteral("班级报告"));
    setWindowFlags(Qt::Window | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint);
    m_summary->setObjectName(QStringLiteral("ReportSummary"));
    m_summary->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(createFilters());
    layout->addWidget(m_tabs = createTabs(), 1);
    resize(900, 600);
    refresh();
}

QWidget* ClassReportWindow::createFilters() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_learnerFilter = new QLineEdit(row);
    m_learnerFilter->setObjectName(QStringLiteral("LearnerFilter"));
    m_learnerFilter->setPlaceholderText(QStringLiteral("筛选学习者"));
    m_lessonFilter = new QLineEdit(row);
    m_lessonFilter->setObjectName(QStringLiteral("LessonFilter"));
    m_lessonFilter->setPlaceholderText(QStringLiteral("筛选课文"));
    connect(m_learnerFilter, &QLineEdit::textChanged, this, &ClassReportWindow::applyFilter);
    connect(m_lessonFilter, &QLineEdit::textChanged, this, &ClassReportWindow::applyFilter);
    layout->addWidget(m_learnerFilter);
    layout->addWidget(m_lessonFilter);
    const auto button = [&](const char* name, const QString& caption, auto slot) {
        auto* b = new QPushButton(caption, row);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        layout->addWidget(b);
        return b;
    };
    button("Refresh", QStringLiteral("刷新"), &ClassReportWindow::refresh);
    button("ExportCsv", QStringLiteral("导出 CSV..."), &ClassReportWindow::exportCsv_Click);
    button("PrintPdf", QStringLiteral("打印为 PDF..."), &ClassReportWindow::printPdf_Click);
    QPushButton* assign = button("Assign", QStringLiteral("布置课文..."), [this] {
        if (m_assign)
            m_assign();
    });
    assign->setVisible(false);
    return row;
}

QTabWidget* ClassReportWindow::createTabs() {
    auto* tabs = new QTabWidget(this);
    m_rows = makeReportTable(tabs, "ReportTable",
                             {QStringLiteral("学习者"), QStringLiteral("课文"),
                              QStringLiteral("练习次数"), QStringLiteral("最快速度"),
                              QStringLiteral("最近速度"), QStringLiteral("一次打对率%"),
                              QStringLiteral("最近练习"), QStringLiteral("待复习")});
    m_learners = makeReportTable(tabs, "LearnerTable",
                                 {QStringLiteral("学习者"), QStringLiteral("近7天练习天数"),
                                  QStringLiteral("近30天练习天数"), QStringLiteral("连续天数"),
                                  QStringLiteral("总用时(分钟)"), QStringLiteral("最近发布")});
    m_reach = makeReportTable(tabs, "ReachTable",
                              {QStringLiteral("课文"), QStringLiteral("标题"),
                               QStringLiteral("完成人数"), QStringLiteral("练习人数")});
    m_slips = makeReportTable(
        tabs, "SlipTable",
        {QStringLiteral("周（周一）"), QStringLiteral("错误类型"), QStringLiteral("次数")});
    m_missed = makeReportTable(tabs, "MissedTable",
                               {QStringLiteral("最常打错"), QStringLiteral("次数"),
                                QStringLiteral("常打成"), QStringLiteral("人数")});
    m_unread =
        makeReportTable(tabs, "UnreadTable", {QStringLiteral("文件"), QStringLiteral("原因")});
    tabs->addTab(m_rows, QStringLiteral("学习者与课文"));
    tabs->addTab(m_learners, QStringLiteral("学习者"));
    tabs->addTab(m_reach, QStringLiteral("全班进度"));
    tabs->addTab(m_slips, QStringLiteral("每周错误"));
    tabs->addTab(m_missed, QStringLiteral("常错字"));
    tabs->addTab(m_unread, QStringLiteral("未能读取"));
    return tabs;
}

void ClassReportWindow::refresh() {
    const std::string folder = QFile::encodeName(m_folder).toStdString();
    std::vector<std::string> classLessons;
    for (const PlannedLesson& lesson : readPlan(folder).value_or(std::vector<PlannedLesson>{}))
        classLessons.push_back(lesson.lesson);
    m_report = readClassReport(folder, QDate::currentDate().toString(Qt::ISODate).toStdString(),
                               classLessons);
    fillRows(*m_rows, m_report);
    fillLearners(*m_learners, m_report);
    fillReach(*m_reach, m_report);
    fillSlips(*m_slips, m_report);
    fillMissed(*m_missed, m_report);
    fillUnread(*m_unread, m_report);
    m_tabs->setTabText(m_tabs->indexOf(m_unread),
                       QStringLiteral("未能读取 (%1)").arg(m_report.unread.size()));
    m_summary->setText(QStringLiteral("班级文件夹：%1　学习者 %2 人%3")
                           .arg(m_folder)
                           .arg(m_report.learners.size())
                           .arg(m_report.unread.empty()
                                    ? QString()
                                    : QStringLiteral("　%1 个文件未能读取，见“未能读取”")
                                          .arg(m_report.unread.size())));
    applyFilter();
}

void ClassReportWindow::applyFilter() {
    const QString learner = m_learnerFilter->text().trimmed();
    const QString lesson = m_lessonFilter->text().trimmed();
    showMatchingBoth(*m_rows, learner, lesson);
    showMatching(*m_learners, 0, learner);
    showMatching(*m_reach, 0, lesson);
}

void ClassReportWindow::setAssignAction(const std::function<void()>& assign) {
    m_assign = assign;
    findChild<QPushButton*>(QStringLiteral("Assign"))->setVisible(true);
}

QString ClassReportWindow::printableHtml() const {
    QString html = QStringLiteral("<html><body><h2>班级报告</h2><p>%1</p>")
                       .arg(m_summary->text().toHtmlEscaped());
    for (int tab = 0; tab < m_tabs->count(); ++tab)
        html += tableHtml(m_tabs->tabText(tab), *static_cast<QTableWidget*>(m_tabs->widget(tab)));
    return html + QStringLiteral("</body></html>");
}

void ClassReportWindow::printPdf_Click() {
    const auto file = m_prompts.chooseSaveFile(this, QStringLiteral("PDF 文件 (*.pdf)"));
    if (!file)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*file);
    QTextDocument document;
    document.setHtml(printableHtml());
    document.print(&printer);
    if (!QFile::exists(*file))
        m_prompts.inform(this, QStringLiteral("无法写入 %1。").arg(*file),
                         QStringLiteral("打印为 PDF"));
}

void ClassReportWindow::exportCsv_Click() {
    const auto file = m_prompts.chooseSaveFile(this, QStringLiteral("CSV 文件 (*.csv)"));
    if (!file)
        return;
    if (replaceFile(QFile::encodeName(*file).toStdString(), reportCsv(m_report)))
        m_prompts.inform(this, QStringLiteral("无法写入 %1。").arg(*file),
                         QStringLiteral("导出 CSV"));
}
