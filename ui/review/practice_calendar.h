#pragma once

#include "review/fsrs.h"

#include <QWidget>
#include <vector>

// The last 26 weeks as a grid of days, a column a week from Monday to Sunday,
// the days practised filled in and today framed.
class PracticeCalendar final : public QWidget {
  public:
    explicit PracticeCalendar(QWidget* parent = nullptr);
    void show(Day today, std::vector<Day> practised);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Day m_today = 0;
    std::vector<Day> m_practised; // in order
};
