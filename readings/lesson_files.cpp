#include "readings/lesson_files.h"

#include "core/lesson_catalogue.h"
#include "core/lesson_codec.h"

std::optional<LenderLesson> LessonFiles::read(const std::string& lesson) {
    const auto course = courseLessonPath(lesson);
    const std::string path = course ? m_programFolder + "/" + *course : nativePath(lesson);
    const auto bytes = m_files.readLesson(path);
    if (!bytes || bytes->empty()) // an empty read is a file missing in its folder
        return std::nullopt;
    DecodedLesson decoded = decodeLesson(*bytes, m_codePage);
    if (decoded.failedAtByteOffset)
        return std::nullopt;
    return LenderLesson{std::move(decoded.text), readCorrections(path).entries};
}
