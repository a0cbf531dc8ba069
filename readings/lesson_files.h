#pragma once

#include "core/code_page.h"
#include "core/local_files.h"
#include "readings/yomi_file.h"

#include <optional>
#include <string>
#include <vector>

// A lesson whose lines another lesson borrows (the day's review, the drill):
// its text (CR LF) and reading corrections.
struct LenderLesson {
    std::u16string text;
    std::vector<Correction> corrections;
};

// Reads the lessons that borrowed lines name; none for a lesson that is gone
// or cannot be read (an empty lesson counts as one that cannot be read).
class LenderLessons {
  public:
    virtual ~LenderLessons() = default;
    virtual std::optional<LenderLesson> read(const std::string& lesson) = 0;
};

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
