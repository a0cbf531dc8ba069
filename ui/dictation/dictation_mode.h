#pragma once

#include "core/attempt_observer.h"

#include <QObject>
#include <vector>

class LessonBoxWidget;
class LessonRecording;
class MediaPlayerWidget;
class PracticeSession;
class QAction;
class QActionGroup;
class QMenu;

// 设置 → 练习方式 → 听写: the lesson box hides the whole text, each character
// an empty frame until it is typed, and the lesson's recording speaks the
// sentence of the line the learner is on, when the attempt starts and
// whenever the learner reaches another line. Keys that no input method takes
// while composing replay the sentence, replay it slowly, or step to the
// sentence before or after; they are menu shortcuts, never typing, so they
// leave marks, counts, cues and the clock alone. Without a recording the item
// is disabled and says why; the choice is remembered like the other modes.
class DictationMode final : public QObject, public AttemptObserver {
    Q_OBJECT
  public:
    // The item goes into the practice modes' `menu` and `group`; `textItem`
    // is the mode shown when the lesson has no recording. The player bar is
    // stopped whenever a sentence plays, so that one voice speaks at a time.
    // The session hears which mode the lesson is shown in.
    DictationMode(QMenu& menu, QActionGroup& group, QAction& textItem, LessonBoxWidget& lessonBox,
                  MediaPlayerWidget& playerBar, PracticeSession& session);

    void lessonLoaded(const LoadedLesson& lesson) override;
    void positionChanged(Pos position) override;

    LessonRecording& recording() { return *m_recording; }
    // The line whose sentence the keys replay (1-based).
    std::size_t heardLine() const { return m_heard; }

  private:
    void addKeys(QMenu& menu);
    void addPlaysChoice(QMenu& menu);
    void choose(bool on);
    void apply(bool on);
    void allowFor(const LoadedLesson& lesson);
    void hear(std::size_t line, double rate, int times);
    void step(int by);
    void setKeysEnabled(bool on);

    LessonBoxWidget& m_lessonBox;
    MediaPlayerWidget& m_playerBar;
    PracticeSession& m_session;
    QAction& m_textItem;
    QAction* m_item;
    std::vector<QAction*> m_keys;
    LessonRecording* m_recording;
    LoadedLesson m_lesson;
    std::string m_recordingPath;
    std::vector<Pos> m_lineStarts;     // lesson positions
    std::vector<std::size_t> m_spoken; // lines that hold text
    std::size_t m_line = 1;
    std::size_t m_heard = 1;
};
