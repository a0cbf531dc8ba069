#pragma once

#include "records/journal_statistics.h"

#include <QChartView>
#include <vector>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// Speed, accuracy and first-try accuracy of attempts over time. Every attempt
// is a point; an attempt that sets no best figure (given up, or too short) is
// a small grey one, and the best of each line a large one. The axes fit the
// attempts shown, with a margin.
class ProgressChart final : public QChartView {
    Q_OBJECT
  public:
    explicit ProgressChart(QWidget* parent = nullptr);

    void showPoints(const std::vector<ProgressPoint>& points, const QString& title);

  private:
    QLineSeries* addLine(const QString& name, const QPen& pen);
    void fitTimeAxis(const std::vector<ProgressPoint>& points);
    void fitSpeedAxis(const std::vector<ProgressPoint>& points);
    void fitAccuracyAxis(const std::vector<ProgressPoint>& points);

    QLineSeries* m_speed;
    QLineSeries* m_accuracy;
    QLineSeries* m_firstTry;
    QDateTimeAxis* m_timeAxis;
    QValueAxis* m_speedAxis;
    QValueAxis* m_accuracyAxis;
};
