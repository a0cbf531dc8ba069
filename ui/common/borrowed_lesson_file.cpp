#include "ui/common/borrowed_lesson_file.h"

#include "core/lesson_codec.h"

#include <QFile>

namespace {

bool writeFile(const std::string& path, const std::string& bytes) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

} // namespace

BorrowedLessonFile::BorrowedLessonFile(const QString& name)
    : m_path(m_folder.filePath(name + QStringLiteral(".ORV")).toStdString()) {}

bool BorrowedLessonFile::write(const BorrowedLesson& lesson, CodePage& codePage) const {
    const auto bytes = encodeLesson(lesson.text, codePage);
    return std::holds_alternative<std::string>(bytes) &&
           writeFile(m_path, std::get<std::string>(bytes)) &&
           writeFile(correctionsPathFor(m_path), correctionsFileText(lesson.corrections));
}
