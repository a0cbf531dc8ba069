#pragma once

#include "review/iso_time.h"
#include "review/review_keeper.h"

#include <QDate>

// Today in the system's calendar and time zone.
class QtDayClock final : public DayClock {
  public:
    Day today() const override {
        const QDate date = QDate::currentDate();
        return dayOfDate(date.year(), date.month(), date.day());
    }
};
