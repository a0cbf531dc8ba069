#include "core/lesson_catalogue.h"

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
    char path[32];
    std::snprintf(path, sizeof path, "ldata\\J%02d%c.ORV", n, letter);
    return LessonEntry{
        "Jlesson" + std::to_string(n) + "_" + letter,
        u"第" + chineseNumeral(n) + u"课 " + (letter == 'A' ? u"基本课文" : u"应用课文"), path};
}
