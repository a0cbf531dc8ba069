#pragma once

#include "core/attempt_observer.h"
#include "core/code_page.h"
#include "explain/kanji_sources.h"
#include "readings/mecab_analyser.h"

#include <QObject>
#include <QPointer>
#include <string>
#include <vector>

class LessonEditor;
class PracticeSession;
class Prompts;
class QAction;
class QMenu;
class QWidget;

// 课程 → 我的课文: the teacher's own lessons by title, a new one, one made
// from a text file, and the one being practised opened for editing. The list
// is read from the folder each time the menu opens.
class OwnLessonsMenu final : public QObject, public AttemptObserver {
    Q_OBJECT
  public:
    // The editors are windows of their own beside `window`, so that the main
    // window can come in front of them, and closing `window` asks first about
    // an editor's text not saved; `lessonBox` lends them its font; lessons
    // are practised through the session.
    OwnLessonsMenu(QMenu& menu, QWidget& window, PracticeSession& session, const QWidget& lessonBox,
                   Prompts& prompts, std::string folder);
    ~OwnLessonsMenu() override;

    // The lesson now in the lesson box, so that 编辑本课 offers it when it is one's own.
    void lessonLoaded(const LoadedLesson& lesson) override;
    // Fills the menu from the folder.
    void refresh();

    LessonEditor* newLesson();
    LessonEditor* importTextFile();
    LessonEditor* editCurrentLesson();

    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Wide enough for a title of some thirty characters.
    static constexpr int kLongestItemWidth = 400;
    QString menuText(const std::string& title) const;
    LessonEditor* openEditor();
    void practise(const std::string& path);
    bool closeEditors();

    QMenu& m_menu;
    QWidget& m_window;
    const QWidget& m_lessonBox;
    Prompts& m_prompts;
    PracticeSession& m_session;
    std::string m_folder;
    std::string m_currentPath; // empty unless the loaded lesson is an own lesson
    MecabAnalyser m_analyser;  // shared by the editors, loaded once
    KanjiSources m_kanji;      // loaded when the first editor opens
    CodePage m_codePage;
    std::vector<QPointer<LessonEditor>> m_editors;
};
