#pragma once

#include "core/code_page.h"
#include "core/local_files.h"
#include "review/daily_review.h"

// The lessons that cards and drills borrow lines from, read from their files:
// a course lesson by its catalogue name (J04A), any other by its path, each
// with the corrections beside it.
class LessonFiles final : public LenderLessons {
  public:
    LessonFiles(const Files& files, CodePage& codePage) : m_files(files), m_codePage(codePage) {}
    std::optional<LenderLesson> read(const std::string& lesson) override;

  private:
    const Files& m_files;
    CodePage& m_codePage;
};
