#pragma once

#include "core/code_page.h"
#include "readings/borrowed_lines.h"

#include <QTemporaryDir>
#include <string>

// A lesson of borrowed lines as the main window loads any lesson: NAME.ORV
// with the lines' corrections beside it as NAME.yomi, in a folder of its own
// that goes with the object.
class BorrowedLessonFile {
  public:
    explicit BorrowedLessonFile(const QString& name);
    const std::string& path() const { return m_path; }
    // False when the text does not encode or a file cannot be written.
    bool write(const BorrowedLesson& lesson, CodePage& codePage) const;

  private:
    QTemporaryDir m_folder;
    std::string m_path;
};
