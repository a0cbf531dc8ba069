#pragma once

#include "core/attempt_state.h"
#include "core/code_page.h"
#include "core/loaded_lesson.h"
#include "core/local_files.h"
#include "core/ports.h"

#include <optional>
#include <string>
#include <string_view>

// The main window's `LoadLesson`: asks before replacing a loaded lesson, starts
// a fresh attempt, decodes the lesson file into the lesson box (every line break
// as CR LF) and hands the recording beside it (same folder and base name,
// ".wma") to the media player. The path is used as given.
class LessonLoader {
  public:
    LessonLoader(AttemptState& state, LessonBox& lesson, TypingBox& typing, PracticeWindow& window,
                 MediaPlayer& player, const Files& files, CodePage& codePage,
                 std::string ownLessonsFolder)
        : m_state(state), m_lesson(lesson), m_typing(typing), m_window(window), m_player(player),
          m_files(files), m_codePage(codePage), m_ownLessonsFolder(std::move(ownLessonsFolder)) {}

    // The lesson of the fresh attempt; nothing when the learner kept the running one.
    std::optional<LoadedLesson> load(std::string_view path);
    // A fresh attempt on a text the program holds rather than a file.
    LoadedLesson loadText(std::u16string text, std::string title);

  private:
    void startFreshAttempt();
    // False when the file could not be read whole; what was decoded stays shown.
    bool readIntoLessonBox(std::string_view path);
    void offerRecording(std::string_view path);

    AttemptState& m_state;
    LessonBox& m_lesson;
    TypingBox& m_typing;
    PracticeWindow& m_window;
    MediaPlayer& m_player;
    const Files& m_files;
    CodePage& m_codePage;
    std::string m_ownLessonsFolder;
};
