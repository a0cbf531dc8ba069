#pragma once

#include "readings/lesson_readings.h"
#include "readings/mecab_analyser.h"
#include "readings/yomi_file.h"

#include <QObject>
#include <QTimer>

class LessonBoxWidget;

// The editor's preview: the lesson as the lesson box will show it, with the
// readings of its kanji, the teacher's corrections applied. It follows the
// text a moment after typing pauses; a click on a word offers its reading.
class LessonPreview final : public QObject {
    Q_OBJECT
  public:
    LessonPreview(LessonBoxWidget& box, MecabAnalyser& analyser);

    // The lesson text (CR LF) to show; shown after a short pause.
    void follow(std::u16string text);
    // The corrections to apply; the readings are worked out again at once.
    void setCorrections(std::vector<Correction> corrections);

    const LessonReadings& readings() const { return m_readings; }

    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // The teacher clicked a word; `reading` is what the preview shows for it.
    void wordClicked(const QString& word, const QString& reading);

  private:
    void show();
    void clicked(QPoint point);

    LessonBoxWidget& m_box;
    MecabAnalyser& m_analyser;
    QTimer m_pause;
    std::u16string m_text;
    std::vector<Correction> m_corrections;
    LessonReadings m_readings;
};
