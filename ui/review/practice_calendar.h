#pragma once

#include "review/review_statistics.h"

#include <QWidget>
#include <optional>
#include <vector>

// The last 26 weeks as a grid of days, a column a week from Monday to Sunday,
// the days with a completed attempt filled in, those with attempts given up
// only in a lighter shade, and today framed. Hovering a day tells the minutes
// practised on it.
class PracticeCalendar final : public QWidget {
    Q_OBJECT
  public:
    explicit PracticeCalendar(QWidget* parent = nullptr);
    void show(Day today, std::vector<PractisedDay> practised);
    QSize sizeHint() const override;
    // The day under a point of the widget, if it shows one.
    std::optional<Day> dayAt(const QPoint& point) const;
    QRect cellRect(Day day) const;
    QString tipFor(Day day) const;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    Day firstMonday() const;
    const PractisedDay* practised(Day day) const;

    Day m_today = 0;
    std::vector<PractisedDay> m_practised; // in order
};
