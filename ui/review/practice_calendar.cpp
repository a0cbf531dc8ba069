#include "ui/review/practice_calendar.h"

#include "review/iso_time.h"
#include "review/review_statistics.h"
#include "ui/common/font_faces.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int kCell = 14;
constexpr int kGap = 3;
constexpr int kDayNames = 24; // room for 一 … 日 on the left
constexpr int kMonthRow = 18; // room for the months above

// Monday = 0; day 0 (1970-01-01) was a Thursday.
int weekday(Day day) {
    return static_cast<int>(((day + 3) % 7 + 7) % 7);
}

} // namespace

PracticeCalendar::PracticeCalendar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PracticeCalendar"));
}

void PracticeCalendar::show(Day today, std::vector<Day> practised) {
    m_today = today;
    m_practised = std::move(practised);
    update();
}

QSize PracticeCalendar::sizeHint() const {
    return {kDayNames + kCalendarWeeks * (kCell + kGap), kMonthRow + 7 * (kCell + kGap)};
}

void PracticeCalendar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(chineseFont(8));
    const QStringList names = {QStringLiteral("一"), QString(), QStringLiteral("三"), QString(),
                               QStringLiteral("五"), QString(), QStringLiteral("日")};
    for (int row = 0; row < 7; ++row)
        painter.drawText(QRect(0, kMonthRow + row * (kCell + kGap), kDayNames - 4, kCell),
                         Qt::AlignRight | Qt::AlignVCenter, names[row]);
    const Day firstMonday = m_today - weekday(m_today) - (kCalendarWeeks - 1) * 7;
    for (int week = 0; week < kCalendarWeeks; ++week) {
        const int x = kDayNames + week * (kCell + kGap);
        const std::string monday = isoDateText(firstMonday + week * 7);
        if (week == 0 || monday.substr(8) <= "07") // the first week of a month names it
            painter.drawText(QRect(x, 0, 3 * kCell, kMonthRow - 2), Qt::AlignLeft | Qt::AlignBottom,
                             QStringLiteral("%1月").arg(std::stoi(monday.substr(5, 2))));
        for (int row = 0; row < 7; ++row) {
            const Day day = firstMonday + week * 7 + row;
            if (day > m_today)
                break;
            const QRect cell(x, kMonthRow + row * (kCell + kGap), kCell, kCell);
            const bool practised = std::binary_search(m_practised.begin(), m_practised.end(), day);
            painter.fillRect(cell, practised ? QColor(0x2e, 0x8b, 0x57) : QColor(0xe6, 0xe6, 0xe6));
            if (day == m_today) {
                painter.setPen(QPen(Qt::black, 2));
                painter.drawRect(cell.adjusted(1, 1, -1, -1));
                painter.setPen(Qt::black);
            }
        }
    }
}
