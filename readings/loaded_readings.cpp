#include "readings/loaded_readings.h"

#include "core/local_files.h"

// The corrections file is read on every question, so that readings a teacher
// set since the lesson last loaded are never missed; it is small.
const LessonReadings& LoadedReadings::of(const LoadedLesson& lesson) {
    std::vector<Correction> corrections = lesson.path.empty()
                                              ? std::vector<Correction>{}
                                              : readCorrections(nativePath(lesson.path)).entries;
    if (m_read && lesson.path == m_path && lesson.text == m_text && corrections == m_corrections)
        return m_readings;
    m_readings = m_analyser.available() ? readLesson(lesson.text, m_analyser, corrections)
                                        : LessonReadings{};
    m_read = true;
    m_path = lesson.path;
    m_text = lesson.text;
    m_corrections = std::move(corrections);
    return m_readings;
}
