#pragma once

#include "review/fsrs.h"

#include <QWidget>
#include <functional>

class Journal;
class PracticeCalendar;
class QLabel;
class QTableWidget;

// 复习: the cards due today and in the next week, the cards by state, the
// words lapsed most often, and a calendar of the days practised with the
// current streak.
class ReviewPage final : public QWidget {
  public:
    ReviewPage(const Journal& journal, std::function<Day()> today, QWidget* parent = nullptr);
    // Reads the journal again: now when the page is shown, otherwise when
    // it is shown next.
    void refresh();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void read();

    const Journal& m_journal;
    std::function<Day()> m_today;
    QLabel* m_due;
    QLabel* m_states;
    QTableWidget* m_lapses;
    PracticeCalendar* m_calendar;
    QLabel* m_streak;
    bool m_stale = true;
};
