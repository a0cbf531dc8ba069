#pragma once

#include "records/journal_statistics.h"

#include <QChartView>
#include <vector>

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// Speed, accuracy and first-try accuracy of attempts over time. A point is an
// attempt, or the mean of a day, week or month when there are more attempts
// than the chart can show apart; a point that sets no best figure (given up,
// or too short) is a small grey one, and the best of each line a large one.
// The axes fit the points shown, with a margin.
class ProgressChart final : public QChartView {
    Q_OBJECT
  public:
    explicit ProgressChart(QWidget* parent = nullptr);

    // As many points as the chart can show apart (a few hundred).
    static constexpr std::int64_t kMostPoints = 300;

    void showPoints(const std::vector<ProgressPoint>& points, ProgressStep step,
                    const QString& title);

  private:
    QLineSeries* addLine(const QString& name, const QPen& pen);
    void fitTimeAxis(const std::vector<ProgressPoint>& points, ProgressStep step);
    void fitSpeedAxis(const std::vector<ProgressPoint>& points);
    void fitAccuracyAxis(const std::vector<ProgressPoint>& points);

    QLineSeries* m_speed;
    QLineSeries* m_accuracy;
    QLineSeries* m_firstTry;
    QDateTimeAxis* m_timeAxis;
    QValueAxis* m_speedAxis;
    QValueAxis* m_accuracyAxis;
};
