#pragma once

#include "core/attempt_observer.h"
#include "readings/lesson_readings.h"
#include "readings/loaded_readings.h"
#include "readings/mecab_analyser.h"

#include <QObject>
#include <QString>
#include <optional>
#include <string>

class HintRow;
class LessonBoxWidget;
class QAction;

// 设置 → 显示读音: readings over the lesson's kanji and the romaji of the word
// being typed on the hint row. The switch is remembered between runs; without
// a dictionary the item is disabled and says what to install. The readings
// are the lesson's shared ones, taken only while the switch is on.
class ReadingHelp final : public QObject, public AttemptObserver {
    Q_OBJECT
  public:
    ReadingHelp(LessonBoxWidget& lessonBox, QAction& item, HintRow& hints, MecabAnalyser& analyser,
                LoadedReadings& readings);

    // Whether readings can be worked out; else why not, in the item's tooltip.
    bool available() const;
    QString whyUnavailable() const;
    // While recalling, the readings are shown whatever the switch, and the hint
    // row gives the word to type by its reading, never by its kanji.
    void setRecalling(bool on);

    void lessonLoaded(const LoadedLesson& lesson) override;
    void positionChanged(Pos position) override;
    void completed(const AttemptFigures& figures) override;
    void gaveUp(const AttemptFigures& figures) override;

  signals:
    // The dictionary went missing; readings cannot be shown from now on.
    void madeUnavailable(const QString& why);

  private:
    bool wanted() const;
    void setOn(bool on);
    // Works the readings out, or takes them away, as the switch and recalling want.
    void showWanted();
    void workOutReadings();
    // The next character to type is at `position`: show the romaji of its word.
    void follow(Pos position);
    // The lesson box was emptied at the end of the attempt.
    void forgetLesson();
    void disable(const QString& why);

    LessonBoxWidget& m_lessonBox;
    QAction& m_item;
    HintRow& m_hints;
    MecabAnalyser& m_analyser;
    LoadedReadings& m_lessonReadings;
    std::optional<LoadedLesson> m_lesson; // the one the lesson box shows
    LessonReadings m_readings;
    Pos m_position = 0;
    bool m_recalling = false;
};
