// Feeds any bytes to the import of a text file as a lesson and to a
// corrections file being set, and checks what comes out.
#include "core/lesson_codec.h"
#include "core/line_breaks.h"
#include "core/text_import.h"
#include "readings/yomi_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// A text imported and tidied either makes a lesson file that decodes to
// exactly that text, or is refused with its characters named in order.
void checkImport(std::string_view bytes, CodePage& codePage) {
    const auto imported = importText(bytes, codePage);
    if (!std::holds_alternative<ImportedText>(imported))
        return;
    const std::u16string text = tidyLessonText(std::get<ImportedText>(imported).text);
    const auto file = lessonFileOf(text, codePage);
    if (const auto* bytesOut = std::get_if<std::string>(&file)) {
        check(decodeLesson(*bytesOut, codePage).text == text);
        return;
    }
    const auto& outside = std::get<LessonRefusal>(file).outsideGbk;
    check(std::is_sorted(outside.begin(), outside.end(),
                         [](const auto& a, const auto& b) { return a.offset < b.offset; }));
    for (const UnencodableChar& bad : outside)
        check(bad.offset < text.size() && bad.line >= 1 && bad.column >= 1);
}

// Whatever the file held, the word then has exactly the reading set.
void checkCorrection(std::string_view bytes) {
    const Correction set{u"今日", u"きょう"};
    const Corrections read = parseCorrections(withCorrection(bytes, set));
    check(std::count(read.entries.begin(), read.entries.end(), set) == 1);
    check(std::none_of(read.entries.begin(), read.entries.end(), [&](const Correction& c) {
        return c.word == set.word && c.reading != set.reading;
    }));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static CodePage codePage;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkImport(bytes, codePage);
    checkCorrection(bytes);
    return 0;
}
