#include "ui/classroom/report_tables.h"

#include <QHeaderView>
#include <QTableWidget>
#include <cmath>

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QTableWidgetItem* cell(const QVariant& value) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (value.typeId() != QMetaType::QString)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QVariant rounded(double value) {
    return std::round(value * 10) / 10;
}

// Fills the table a row at a time with sorting off, as Qt asks.
template <typename T, typename F>
void fill(QTableWidget& table, const std::vector<T>& items, F cellsOf) {
    table.setSortingEnabled(false);
    table.setRowCount(static_cast<int>(items.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const QVariantList cells = cellsOf(items[static_cast<size_t>(row)]);
        for (int column = 0; column < cells.size(); ++column)
            table.setItem(row, column, cell(cells[column]));
    }
    table.setSortingEnabled(true);
    table.resizeColumnsToContents();
}

} // namespace

QTableWidget* makeReportTable(QWidget* parent, const char* name, const QStringList& headers) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(QLatin1String(name));
    table->setHorizontalHeaderLabels(headers);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    // The report's own order until the teacher clicks a column.
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    return table;
}

void fillRows(QTableWidget& table, const ClassReport& report) {
    fill(table, report.rows, [](const ReportRow& r) {
        return QVariantList{qs(r.learner),
                            qs(r.lesson),
                            QVariant::fromValue<qlonglong>(r.attempts),
                            r.bestSpeed ? rounded(*r.bestSpeed) : QVariant(),
                            rounded(r.lastSpeed),
                            rounded(r.firstTryAccuracy),
                            qs(r.lastPractised),
                            QVariant::fromValue<qlonglong>(r.dueReviews)};
    });
}

void fillLearners(QTableWidget& table, const ClassReport& report) {
    fill(table, report.learners, [](const LearnerSummary& l) {
        return QVariantList{
            qs(l.learner),
            l.daysInLast7,
            l.daysInLast30,
            l.streak,
            QVariant::fromValue<qlonglong>(l.seconds / 60),
            qs(l.publishedAt.substr(0, 16)).replace(QLatin1Char('T'), QLatin1Char(' '))};
    });
}

void fillReach(QTableWidget& table, const ClassReport& report) {
    fill(table, report.reach, [](const LessonReach& r) {
        return QVariantList{qs(r.lesson), qs(r.title), r.completedBy, r.practisedBy};
    });
}

void fillSlips(QTableWidget& table, const ClassReport& report) {
    fill(table, report.slips, [](const WeekSlips& s) {
        return QVariantList{qs(s.week), s.kind.empty() ? QStringLiteral("未分类") : qs(s.kind),
                            QVariant::fromValue<qlonglong>(s.count)};
    });
}

void fillMissed(QTableWidget& table, const ClassReport& report) {
    fill(table, report.missed, [](const ClassMissed& m) {
        const auto shown = [](const std::string& text) {
            return text == "\r\n" ? QStringLiteral("↵") : qs(text);
        };
        return QVariantList{shown(m.expected), QVariant::fromValue<qlonglong>(m.count),
                            shown(m.typedMostOften), m.learners};
    });
}

void fillUnread(QTableWidget& table, const ClassReport& report) {
    fill(table, report.unread, [](const UnreadFile& u) {
        return QVariantList{qs(u.file), qs(u.reason)};
    });
}
