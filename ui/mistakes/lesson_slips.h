#pragma once

#include "explain/kanji_preloader.h"
#include "explain/slip_book.h"
#include "readings/loaded_readings.h"

#include <QObject>
#include <QTimer>

// The slips of every attempt of a main window, found for its practice session:
// the explainer's data and the lesson's readings the slip book aligns with. The data
// (OpenCC, KANJIDIC) is read on a thread of its own once the event loop runs,
// so that no key waits for it.
class LessonSlips final : public QObject {
  public:
    LessonSlips(QObject& owner, LoadedReadings& readings)
        : QObject(&owner), m_book(m_kanji, readings) {
        QTimer::singleShot(0, this, [this] { m_preloader.start(); });
    }

    SlipBook& book() { return m_book; }

  private:
    KanjiSources m_kanji;
    KanjiPreloader m_preloader{m_kanji};
    SlipBook m_book;
};
