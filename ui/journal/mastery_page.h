#pragma once

#include "review/mastery.h"

#include <QWidget>
#include <functional>
#include <map>
#include <vector>

class Journal;
class QLabel;
class QScrollArea;

// 掌握情况: every kanji of the course in course order, lesson by lesson, each
// a square that shows how well the learner holds it, with the totals of each
// lesson, volume and the course, and a legend. A lesson's title loads it; its
// button practises its kanji not yet held with their readings only.
class MasteryPage final : public QWidget {
    Q_OBJECT
  public:
    // `places` in course order: the course's, then any other lesson's.
    MasteryPage(const Journal& journal, std::vector<KanjiPlace> places, std::function<Day()> today,
                QWidget* parent = nullptr);

    // The places shown from the next refresh on.
    void setPlaces(std::vector<KanjiPlace> places);
    // Reads the journal again.
    void refresh();
    const Mastery& mastery() const { return m_mastery; }
    // What hovering the kanji shows.
    QString tipFor(const KanjiState& kanji) const;

  signals:
    void lessonChosen(const QString& lesson);
    void practiceChosen(int group); // an index into mastery().groups

  private:
    QWidget* createLegend();
    QWidget* groupBox(int index, Day today);
    void showTotals();
    QString slipsText(char16_t kanji) const;

    const Journal& m_journal;
    std::vector<KanjiPlace> m_places;
    std::map<char16_t, std::vector<const KanjiPlace*>> m_placesOf;
    std::function<Day()> m_today;
    Mastery m_mastery;
    QLabel* m_totals;
    QScrollArea* m_groups;
};
