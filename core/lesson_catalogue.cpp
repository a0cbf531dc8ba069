#include "core/lesson_catalogue.h"

#include "core/local_files.h"

#include <cstdio>

namespace {

constexpr char16_t kDigits[] = u"〇一二三四五六七八九";

} // namespace

std::u16string chineseNumeral(int n) {
    const int tens = n / 10;
    const int units = n % 10;
    std::u16string text;
    if (tens > 1)
        text += kDigits[tens];
    if (tens > 0)
        text += u'十';
    if (units > 0 || n == 0)
        text += kDigits[units];
    return text;
}

LessonEntry lessonEntry(int n, char letter) {
    char name[8];
    std::snprintf(name, sizeof name, "J%02d%c", n, letter);
    return LessonEntry{"Jlesson" + std::to_string(n) + "_" + letter,
                       u"第" + chineseNumeral(n) + u"课 " +
                           (letter == 'A' ? u"基本课文" : u"应用课文"),
                       "ldata\\" + std::string(name) + ".ORV", name};
}

std::optional<LessonEntry> catalogueEntry(std::string_view name) {
    if (name.size() != 4 || name[0] != 'J' || (name[3] != 'A' && name[3] != 'B'))
        return std::nullopt;
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!digit(name[1]) || !digit(name[2]))
        return std::nullopt;
    const int number = (name[1] - '0') * 10 + (name[2] - '0');
    if (number < 1 || number > kLessonCount)
        return std::nullopt;
    return lessonEntry(number, name[3]);
}

std::optional<std::string> courseLessonPath(std::string_view lesson) {
    if (const auto entry = catalogueEntry(lesson))
        return nativePath(entry->path);
    return std::nullopt;
}
