#include "ui/journal/progress_chart.h"

#include "ui/common/font_faces.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// The colours of the main window: blue captions, the red clock.
const QColor kCaptionBlue(0, 0, 255);
const QColor kClockRed(255, 0, 0);
const QColor kFirstTryOrange(0xE6, 0x7E, 0x22);
const QColor kNotCountedGrey(0xA0, 0xA0, 0xA0);
constexpr qreal kMarker = 7;
constexpr qreal kNotCountedMarker = 5;
constexpr qreal kBestMarker = 13;
constexpr qint64 kLeastTimeMarginMs = 5 * 60 * 1000;
// Of a value axis's range, kept free beyond the outermost points: at the
// height the window leaves the chart, the largest marker's radius.
constexpr double kEdgeRoom = 0.15;

using Figure = double ProgressPoint::*;
using Configuration = QHash<QXYSeries::PointConfiguration, QVariant>;

void fill(QLineSeries* line, const std::vector<ProgressPoint>& points, Figure figure) {
    QList<QPointF> values;
    values.reserve(static_cast<qsizetype>(points.size()));
    for (const ProgressPoint& p : points)
        values.append(QPointF(static_cast<qreal>(p.endedAtMs), p.*figure));
    line->replace(values);
}

void markPoints(QLineSeries* line, const std::vector<ProgressPoint>& points, Figure figure) {
    const Configuration notCounted{{QXYSeries::PointConfiguration::Color, kNotCountedGrey},
                                   {QXYSeries::PointConfiguration::Size, kNotCountedMarker}};
    QHash<int, Configuration> marks;
    int best = -1;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const ProgressPoint& p = points[static_cast<size_t>(i)];
        if (!p.counted)
            marks.insert(i, notCounted);
        else if (best < 0 || p.*figure > points[static_cast<size_t>(best)].*figure)
            best = i;
    }
    if (best >= 0)
        marks.insert(best, {{QXYSeries::PointConfiguration::Size, kBestMarker}});
    line->clearPointsConfiguration();
    line->setPointsConfiguration(marks);
}

QValueAxis* valueAxis(const QString& title, const QColor& colour, const QString& format) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setTitleFont(chineseFont(9));
    axis->setTitleBrush(colour);
    axis->setLabelsColor(colour);
    axis->setLabelFormat(format);
    return axis;
}

// The time axis says what a point stands for.
QString timeAxisTitle(ProgressStep step) {
    switch (step) {
    case ProgressStep::Attempt:
        return QStringLiteral("练习结束的时间");
    case ProgressStep::Day:
        return QStringLiteral("练习的日期（练习太多，每个点是一天的平均）");
    case ProgressStep::Week:
        return QStringLiteral("练习的日期（练习太多，每个点是一周的平均）");
    case ProgressStep::Month:
        break;
    }
    return QStringLiteral("练习的日期（练习太多，每个点是一个月的平均）");
}

} // namespace

ProgressChart::ProgressChart(QWidget* parent)
    : QChartView(new QChart, parent), m_timeAxis(new QDateTimeAxis),
      m_speedAxis(valueAxis(QStringLiteral("速度（字/分钟）"), kCaptionBlue, QStringLiteral("%d"))),
      m_accuracyAxis(valueAxis(QStringLiteral("正确率（%）"), kClockRed, QStringLiteral("%d%%"))) {
    setObjectName(QStringLiteral("ProgressChart"));
    setRenderHint(QPainter::Antialiasing);
    // A large marker reaches beyond what its series reports as its bounds:
    // repainting only those bounds left pieces of old markers on the plot.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    chart()->setFont(chineseFont(10.5));
    chart()->legend()->setFont(chineseFont(10.5));
    chart()->setTitleFont(chineseFont(12));
    chart()->setTitleBrush(kCaptionBlue);
    m_timeAxis->setTitleFont(chineseFont(9));
    m_timeAxis->setLabelsFont(chineseFont(9));
    m_accuracyAxis->setGridLineVisible(false); // the speed axis draws the grid
    chart()->addAxis(m_timeAxis, Qt::AlignBottom);
    chart()->addAxis(m_speedAxis, Qt::AlignLeft);
    chart()->addAxis(m_accuracyAxis, Qt::AlignRight);
    m_speed = addLine(QStringLiteral("速度（字/分钟）"), QPen(kCaptionBlue, 2));
    m_accuracy = addLine(QStringLiteral("正确率（%）"), QPen(kClockRed, 2));
    m_firstTry = addLine(QStringLiteral("首次正确率（%）"), QPen(kFirstTryOrange, 2, Qt::DashLine));
    m_speed->attachAxis(m_speedAxis);
    m_accuracy->attachAxis(m_accuracyAxis);
    m_firstTry->attachAxis(m_accuracyAxis);
}

QLineSeries* ProgressChart::addLine(const QString& name, const QPen& pen) {
    auto* line = new QLineSeries;
    line->setName(name);
    line->setPen(pen);
    line->setPointsVisible(true);
    line->setMarkerSize(kMarker);
    chart()->addSeries(line);
    line->attachAxis(m_timeAxis);
    return line;
}

void ProgressChart::showPoints(const std::vector<ProgressPoint>& points, ProgressStep step,
                               const QString& title) {
    fill(m_speed, points, &ProgressPoint::speed);
    fill(m_accuracy, points, &ProgressPoint::accuracy);
    fill(m_firstTry, points, &ProgressPoint::firstTryAccuracy);
    markPoints(m_speed, points, &ProgressPoint::speed);
    markPoints(m_accuracy, points, &ProgressPoint::accuracy);
    markPoints(m_firstTry, points, &ProgressPoint::firstTryAccuracy);
    fitTimeAxis(points, step);
    fitSpeedAxis(points);
    fitAccuracyAxis(points);
    chart()->setTitle(title);
}

// From the first attempt to the last with a twentieth of that on each side
// (at least five minutes), so that attempts minutes apart spread out.
void ProgressChart::fitTimeAxis(const std::vector<ProgressPoint>& points, ProgressStep step) {
    m_timeAxis->setTitleText(timeAxisTitle(step));
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const qint64 first = points.empty() ? now : points.front().endedAtMs;
    const qint64 last = points.empty() ? now : points.back().endedAtMs;
    const qint64 margin = std::max((last - first) / 20, kLeastTimeMarginMs);
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(first - margin);
    const QDateTime to = QDateTime::fromMSecsSinceEpoch(last + margin);
    m_timeAxis->setRange(from, to);
    // Within a day the date would repeat on every tick; over a few days the
    // hour still tells the attempts apart.
    const qint64 days = from.daysTo(to);
    m_timeAxis->setFormat(days < 1   ? QStringLiteral("hh:mm")
                          : days < 4 ? QStringLiteral("MM-dd hh:mm")
                                     : QStringLiteral("MM-dd"));
}

void ProgressChart::fitSpeedAxis(const std::vector<ProgressPoint>& points) {
    double slowest = points.empty() ? 0 : points.front().speed;
    double fastest = slowest;
    for (const ProgressPoint& p : points) {
        slowest = std::min(slowest, p.speed);
        fastest = std::max(fastest, p.speed);
    }
    const double margin = std::max((fastest - slowest) / 10, 5.0);
    m_speedAxis->setRange(std::max(0.0, slowest - margin), fastest + margin);
    m_speedAxis->applyNiceNumbers();
    // Nice numbers may end the axis at a point: a tick more on that side, so
    // that its marker is not cut in half by the plot's edge.
    const double tick =
        (m_speedAxis->max() - m_speedAxis->min()) / std::max(1, m_speedAxis->tickCount() - 1);
    const double room = kEdgeRoom * (m_speedAxis->max() - m_speedAxis->min());
    const bool below = slowest - m_speedAxis->min() < room && m_speedAxis->min() >= tick;
    const bool above = m_speedAxis->max() - fastest < room;
    m_speedAxis->setRange(m_speedAxis->min() - (below ? tick : 0),
                          m_speedAxis->max() + (above ? tick : 0));
    m_speedAxis->setTickCount(m_speedAxis->tickCount() + int(below) + int(above));
}

// Ticks every 20 % up to 100 %, from a multiple of 20 below the lowest
// figure, with room beyond both for a marker at 100 % or at the bottom tick.
void ProgressChart::fitAccuracyAxis(const std::vector<ProgressPoint>& points) {
    double lowest = 100;
    for (const ProgressPoint& p : points)
        lowest = std::min({lowest, p.accuracy, p.firstTryAccuracy});
    const double from = std::clamp(20 * std::floor((lowest - 2) / 20), 0.0, 80.0);
    const double room = kEdgeRoom * (100 - from);
    m_accuracyAxis->setRange(from - room, 100 + room);
    m_accuracyAxis->setTickType(QValueAxis::TicksDynamic);
    m_accuracyAxis->setTickAnchor(0);
    m_accuracyAxis->setTickInterval(20);
}
