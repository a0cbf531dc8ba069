#include "core/lesson_loader.h"

#include "core/lesson_codec.h"
#include "core/lesson_paths.h"
#include "core/line_breaks.h"

std::optional<LoadedLesson> LessonLoader::load(std::string_view path) {
    if (!m_lesson.text().empty() && !m_window.askYesNo(u"要学习新的课程吗？", u"提示"))
        return std::nullopt;
    startFreshAttempt();
    LoadedLesson lesson = namedLesson(path, m_files, m_ownLessonsFolder);
    lesson.readFailed = !readIntoLessonBox(path);
    if (!lesson.readFailed)
        offerRecording(path);
    lesson.text = m_lesson.text();
    return lesson;
}

LoadedLesson LessonLoader::loadText(std::u16string text, std::string title) {
    startFreshAttempt();
    m_lesson.setText(withCrLf(text));
    LoadedLesson lesson;
    lesson.title = std::move(title);
    lesson.text = m_lesson.text();
    return lesson;
}

void LessonLoader::startFreshAttempt() {
    m_lesson.setText(u"");
    m_typing.setText(u"");
    m_state.reset();
    resetReadouts(m_window);
}

bool LessonLoader::readIntoLessonBox(std::string_view path) {
    const auto bytes = m_files.readLesson(path);
    if (!bytes)
        return false;
    DecodedLesson lesson = decodeLesson(*bytes, m_codePage);
    const bool whole = !lesson.failedAtByteOffset;
    m_lesson.setText(withCrLf(lesson.text));
    return whole;
}

void LessonLoader::offerRecording(std::string_view path) {
    const auto recording = recordingPathFor(path);
    if (!recording)
        return; // a file name without "." leaves the player as it was
    if (m_files.isRegularFile(*recording)) {
        m_player.setEnabled(true);
        m_player.close();
        m_player.setUrl(*recording);
    } else {
        m_player.setUrl("");
        m_player.close();
        m_player.setEnabled(false);
    }
}
