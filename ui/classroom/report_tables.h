#pragma once

#include "classroom/class_report.h"

#include <QStringList>

class QTableWidget;
class QWidget;

// The class report's tables. Numbers are kept as numbers in the cells, so
// that a click on a header sorts them as numbers.

// Learner × lesson: attempts, best and last speed, first-try accuracy, last
// practised, reviews due.
enum class RowColumn {
    Learner,
    Lesson,
    Attempts,
    BestSpeed,
    LastSpeed,
    FirstTry,
    LastPractised,
    DueReviews,
    Count
};

QTableWidget* makeReportTable(QWidget* parent, const char* name, const QStringList& headers);
void fillRows(QTableWidget& table, const ClassReport& report);
void fillLearners(QTableWidget& table, const ClassReport& report);
void fillReach(QTableWidget& table, const ClassReport& report);
void fillSlips(QTableWidget& table, const ClassReport& report);
void fillMissed(QTableWidget& table, const ClassReport& report);
void fillUnread(QTableWidget& table, const ClassReport& report);
