#pragma once

#include "explain/slip_book.h"
#include "readings/mecab_analyser.h"

#include <QObject>
#include <string>

// The slips of every attempt of a main window, found for its practice session:
// the explainer's data and the dictionary the slip book reads with.
class LessonSlips final : public QObject {
  public:
    LessonSlips(QObject& owner, std::string dictionaryFolder)
        : QObject(&owner), m_analyser(std::move(dictionaryFolder)), m_book(m_kanji, m_analyser) {}

    SlipBook& book() { return m_book; }

  private:
    KanjiSources m_kanji;
    MecabAnalyser m_analyser;
    SlipBook m_book;
};
