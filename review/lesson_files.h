#pragma once

#include "core/code_page.h"
#include "core/local_files.h"
#include "review/daily_review.h"

#include <string>

// The lessons that cards and drills borrow lines from, read from their files:
// a course lesson by its catalogue name (J04A) in the program's folder,
// whatever the working folder, any other by its path, each with the
// corrections beside it.
class LessonFiles final : public LenderLessons {
  public:
    LessonFiles(const Files& files, CodePage& codePage, std::string programFolder)
        : m_files(files), m_codePage(codePage), m_programFolder(std::move(programFolder)) {}
    std::optional<LenderLesson> read(const std::string& lesson) override;

  private:
    const Files& m_files;
    CodePage& m_codePage;
    std::string m_programFolder;
};
