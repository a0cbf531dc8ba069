#pragma once

#include "core/loaded_lesson.h"
#include "readings/analyser.h"
#include "readings/lesson_readings.h"

#include <string>
#include <vector>

// The readings of the loaded lesson, shared by every feature that reads its
// words: worked out by one analyser, with the corrections beside the lesson
// file, once for each lesson text and corrections, however many features ask.
// Without a dictionary they are empty.
class LoadedReadings {
  public:
    explicit LoadedReadings(Analyser& analyser) : m_analyser(analyser) {}

    Analyser& analyser() { return m_analyser; }
    // The readings of `lesson`; they stand until another lesson is asked for.
    const LessonReadings& of(const LoadedLesson& lesson);

  private:
    Analyser& m_analyser;
    bool m_read = false;
    std::string m_path;
    std::u16string m_text;
    std::vector<Correction> m_corrections;
    LessonReadings m_readings;
};
