#pragma once

#include "core/ports.h"
#include "readings/lesson_readings.h"
#include "readings/mecab_analyser.h"

#include <QObject>
#include <QString>
#include <string>

class LessonBoxWidget;
class QAction;
class QLabel;
class QWidget;

// 设置 → 显示读音: readings over the lesson's kanji and the romaji of the word
// being typed. The switch is remembered between runs; without a dictionary
// the item is disabled and says what to install. Readings are worked out only
// while the switch is on, once per lesson.
class ReadingHelp final : public QObject {
    Q_OBJECT
  public:
    // `anchor` is the control whose row the romaji line shares, left of it.
    ReadingHelp(LessonBoxWidget& lessonBox, QAction& item, QWidget& anchor,
                std::string dictionaryFolder);

    // The lesson about to be loaded, whose corrections file lies beside it.
    void lessonComing(const std::string& lessonPath);
    // The next character to type is at `position`: show the romaji of its word.
    void follow(Pos position);

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setOn(bool on);
    void readLessonBox();
    void disable(const QString& why);
    void placeRomajiLine();

    LessonBoxWidget& m_lessonBox;
    QAction& m_item;
    QWidget& m_anchor;
    QLabel* m_romajiLine;
    MecabAnalyser m_analyser;
    std::string m_comingPath;
    std::string m_lessonPath; // of the text in the lesson box
    LessonReadings m_readings;
    QString m_romaji; // of the word being typed, before eliding
    Pos m_position = 0;
};
