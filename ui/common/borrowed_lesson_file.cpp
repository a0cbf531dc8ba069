#include "ui/common/borrowed_lesson_file.h"

#include "core/atomic_write.h"
#include "core/lesson_codec.h"

BorrowedLessonFile::BorrowedLessonFile(const QString& name)
    : m_path(m_folder.filePath(name + QStringLiteral(".ORV")).toStdString()) {}

bool BorrowedLessonFile::write(const BorrowedLesson& lesson, CodePage& codePage) const {
    const auto bytes = encodeLesson(lesson.text, codePage);
    return std::holds_alternative<std::string>(bytes) &&
           !replaceFile(m_path, std::get<std::string>(bytes)) &&
           !replaceFile(correctionsPathFor(m_path), correctionsFileText(lesson.corrections));
}
