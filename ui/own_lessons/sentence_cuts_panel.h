#pragma once

#include "audio/lesson_sentences.h"

#include <QWidget>
#include <string>

class LessonRecording;
class QLabel;
class QPushButton;
class QTableWidget;

// The cuts of a lesson's recording, one row per line that holds text: the
// teacher plays a line's sentence, moves its start or end, and saves the
// cuts beside the lesson, where 听写 reads them. Hidden for a lesson without
// a recording.
class SentenceCutsPanel final : public QWidget {
    Q_OBJECT
  public:
    explicit SentenceCutsPanel(QWidget* parent = nullptr);

    // The saved lesson at `lessonPath` with its text; its recording is cut
    // first when it has no cuts yet.
    void showLesson(const std::string& lessonPath, const std::u16string& text);
    LessonRecording& recording() { return *m_recording; }
    // The cuts as the rows hold them now.
    std::vector<LineCut> cuts() const;

    void playSelected();
    void save();

  private:
    void fill();
    void tell(const QString& text);

    LessonRecording* m_recording;
    std::u16string m_text;
    QLabel* m_status;
    QTableWidget* m_rows;
    QPushButton* m_play;
    QPushButton* m_save;
};
