#pragma once

#include "core/code_page.h"
#include "core/local_files.h"
#include "readings/analyser.h"
#include "readings/lesson_files.h"
#include "review/course_kanji.h"
#include "review/mastery.h"
#include "review/mastery_practice.h"
#include "review/review_keeper.h"
#include "ui/common/borrowed_lesson_file.h"

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class JournalHook;
class MasteryPage;
class PracticeSession;
class Prompts;
class QWidget;
class StatisticsWindow;

// 掌握情况 in the statistics window: the course's kanji, worked out when the
// program was built, then those the learner's own lessons (in `ownFolder`)
// and the lessons shown besides them (the class's) add, read as the page opens, coloured from the
// journal. A lesson's title loads the lesson; a lesson's practice takes its lines with kanji not
// yet held into a lesson of their own and switches to 看读音写汉字 through `chooseRecall`, which
// says false when that mode is unavailable.
class MasteryHook final : public QObject {
  public:
    MasteryHook(QWidget& window, PracticeSession& session, JournalHook& journal, Prompts& prompts,
                std::function<bool()> chooseRecall, const std::string& programFolder,
                std::string ownFolder, Analyser& analyser, std::unique_ptr<DayClock> clock);

    // Lesson files whose kanji the page shows after the own lessons', asked
    // for each time it opens.
    void showAlso(std::function<std::vector<std::string>()> lessonFiles) {
        m_alsoShown = std::move(lessonFiles);
    }

    // The file the practice of kanji not held is loaded from.
    const std::string& practicePath() const { return m_file.path(); }

  private:
    void addPage(StatisticsWindow& window);
    void refresh();
    // The course's places, then those of the own lessons and those shown
    // besides; a lesson is read with the analyser only when its text changed
    // since the last time.
    std::vector<KanjiPlace> places();
    const std::vector<KanjiPlace>& placesOf(const std::string& lessonFile);
    void loadLesson(const QString& lesson);
    void practise(int group);
    // Writes the practice of the group's kanji not held; its lines, none when
    // there are none or the file cannot be written.
    std::vector<PracticeLine> writePractice(const MasteryGroup& group);
    void backToPractice();

    QWidget& m_window;
    PracticeSession& m_session;
    JournalHook& m_journal;
    Prompts& m_prompts;
    std::function<bool()> m_chooseRecall;
    std::unique_ptr<DayClock> m_clock;
    std::vector<KanjiPlace> m_course;
    std::string m_ownFolder;
    Analyser& m_analyser;
    std::function<std::vector<std::string>()> m_alsoShown;
    std::map<std::string, std::pair<std::u16string, std::vector<KanjiPlace>>> m_read; // by path
    LocalFiles m_files;
    CodePage m_codePage;
    LessonFiles m_lessons;
    BorrowedLessonFile m_file;
    MasteryPage* m_page = nullptr;
};
