#pragma once

#include "explain/kanji_preloader.h"
#include "explain/slip_book.h"
#include "readings/mecab_analyser.h"

#include <QObject>
#include <QTimer>
#include <string>

// The slips of every attempt of a main window, found for its practice session:
// the explainer's data and the dictionary the slip book reads with. The data
// (OpenCC, KANJIDIC) is read on a thread of its own once the event loop runs,
// so that no key waits for it.
class LessonSlips final : public QObject {
  public:
    LessonSlips(QObject& owner, std::string dictionaryFolder)
        : QObject(&owner), m_analyser(std::move(dictionaryFolder)), m_book(m_kanji, m_analyser) {
        QTimer::singleShot(0, this, [this] { m_preloader.start(); });
    }

    SlipBook& book() { return m_book; }

  private:
    KanjiSources m_kanji;
    KanjiPreloader m_preloader{m_kanji};
    MecabAnalyser m_analyser;
    SlipBook m_book;
};
