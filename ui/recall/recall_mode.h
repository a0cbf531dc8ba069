#pragma once

#include "core/attempt_observer.h"

#include <QObject>

class LessonBoxWidget;
class PracticeSession;
class QAction;
class QActionGroup;
class QMenu;
class ReadingHelp;

// 设置 → 练习方式: 看原文 shows the lesson as it is; 看读音写汉字 hides every
// kanji under its reading, as an empty frame, until the learner has typed it:
// a kanji recalled through the input method. The comparison and every figure
// are the same in both; only what the lesson box shows differs. The choice is
// remembered between runs; without the reading dictionary the second is
// disabled and says what to install.
class RecallMode final : public QObject, public AttemptObserver {
    Q_OBJECT
  public:
    // Its items go into `settings`; it belongs to the lesson box.
    // The session hears which mode the lesson is shown in.
    RecallMode(QMenu& settings, LessonBoxWidget& lessonBox, ReadingHelp& readings,
               PracticeSession& session);

    // Switches to 看读音写汉字 as its menu item does; false while it is unavailable.
    bool chooseRecall();

    void lessonLoaded(const LoadedLesson&) override { m_shown = 0; }
    // A kanji shows once the typed text has reached it, never when a slip
    // only moved the marks past it.
    void recordChanged(const AttemptRecord& record) override;

    // Where the other practice modes go: the menu, its one-of group, and
    // 看原文, the mode shown where another cannot be.
    QMenu& modeMenu() const { return *m_menu; }
    QActionGroup& modeGroup() const { return *m_group; }
    QAction& textItem() const { return *m_text; }

  private:
    void choose(bool recall);
    void apply(bool recall);
    void disable(const QString& why);

    LessonBoxWidget& m_lessonBox;
    ReadingHelp& m_readings;
    PracticeSession& m_session;
    Pos m_shown = 0; // the kanji before it are shown
    QMenu* m_menu;
    QActionGroup* m_group;
    QAction* m_text;
    QAction* m_recall;
};
