#include "ui/review/practice_calendar.h"

#include "review/iso_time.h"
#include "ui/common/day_text.h"
#include "ui/common/font_faces.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
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

void PracticeCalendar::show(Day today, std::vector<PractisedDay> practised) {
    m_today = today;
    m_practised = std::move(practised);
    update();
}

QSize PracticeCalendar::sizeHint() const {
    return {kDayNames + kCalendarWeeks * (kCell + kGap), kMonthRow + 7 * (kCell + kGap)};
}

Day PracticeCalendar::firstMonday() const {
    return m_today - weekday(m_today) - (kCalendarWeeks - 1) * 7;
}

QRect PracticeCalendar::cellRect(Day day) const {
    const Day offset = day - firstMonday();
    return {kDayNames + static_cast<int>(offset / 7) * (kCell + kGap),
            kMonthRow + static_cast<int>(offset % 7) * (kCell + kGap), kCell, kCell};
}

std::optional<Day> PracticeCalendar::dayAt(const QPoint& point) const {
    const int week = (point.x() - kDayNames) / (kCell + kGap);
    const int row = (point.y() - kMonthRow) / (kCell + kGap);
    if (point.x() < kDayNames || point.y() < kMonthRow || week >= kCalendarWeeks || row >= 7)
        return std::nullopt;
    const Day day = firstMonday() + week * 7 + row;
    if (day > m_today || !cellRect(day).contains(point))
        return std::nullopt;
    return day;
}

const PractisedDay* PracticeCalendar::practised(Day day) const {
    const auto found =
        std::lower_bound(m_practised.begin(), m_practised.end(), day,
                         [](const PractisedDay& d, Day wanted) { return d.day < wanted; });
    return found != m_practised.end() && found->day == day ? &*found : nullptr;
}

QString PracticeCalendar::tipFor(Day day) const {
    const PractisedDay* d = practised(day);
    if (!d)
        return QStringLiteral("%1：没有练习").arg(fullDayText(day));
    const std::int64_t minutes = (d->seconds + 30) / 60;
    const QString time = minutes > 0 ? QStringLiteral("练习 %1 分钟").arg(minutes)
                                     : QStringLiteral("练习不到 1 分钟");
    return QStringLiteral("%1：%2，练习 %3 次，完成 %4 次")
        .arg(fullDayText(day), time)
        .arg(d->attempts)
        .arg(d->completed);
}

bool PracticeCalendar::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    if (const auto day = dayAt(help->pos()))
        QToolTip::showText(help->globalPos(), tipFor(*day), this, cellRect(*day));
    else
        QToolTip::hideText();
    return true;
}

void PracticeCalendar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(chineseFont(8));
    const QStringList names = {QStringLiteral("一"), QString(), QStringLiteral("三"), QString(),
                               QStringLiteral("五"), QString(), QStringLiteral("日")};
    for (int row = 0; row < 7; ++row)
        painter.drawText(QRect(0, kMonthRow + row * (kCell + kGap), kDayNames - 4, kCell),
                         Qt::AlignRight | Qt::AlignVCenter, names[row]);
    for (int week = 0; week < kCalendarWeeks; ++week) {
        const int x = kDayNames + week * (kCell + kGap);
        const std::string monday = isoDateText(firstMonday() + week * 7);
        if (week == 0 || monday.substr(8) <= "07") // the first week of a month names it
            painter.drawText(QRect(x, 0, 3 * kCell, kMonthRow - 2), Qt::AlignLeft | Qt::AlignBottom,
                             QStringLiteral("%1月").arg(std::stoi(monday.substr(5, 2))));
    }
    for (Day day = firstMonday(); day <= m_today; ++day) {
        const QRect cell = cellRect(day);
        const PractisedDay* d = practised(day);
        const QColor colour = !d                 ? QColor(0xe6, 0xe6, 0xe6)
                              : d->completed > 0 ? QColor(0x2e, 0x8b, 0x57)
                                                 : QColor(0xa8, 0xd5, 0xb8);
        painter.fillRect(cell, colour);
        if (day == m_today) {
            painter.setPen(QPen(Qt::black, 2));
            painter.drawRect(cell.adjusted(1, 1, -1, -1));
        }
    }
}
