#include "ui/common/day_text.h"

#include "review/iso_time.h"

QString monthDayText(Day day) {
    const std::string iso = isoDateText(day);
    return QStringLiteral("%1月%2日")
        .arg(std::stoi(iso.substr(5, 2)))
        .arg(std::stoi(iso.substr(8)));
}

QString fullDayText(Day day) {
    return QStringLiteral("%1年").arg(QString::fromStdString(isoDateText(day).substr(0, 4))) +
           monthDayText(day);
}
