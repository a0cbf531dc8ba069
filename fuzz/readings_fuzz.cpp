// Arbitrary bytes as a corrections file and, read as UTF-16, as a lesson text:
// readings stay inside the text, in order, without overlaps, and each covers
// characters that take a reading.
#include "readings/kana.h"
#include "readings/lesson_readings.h"
#include "readings/mecab_analyser.h"
#include "readings/romaji.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static MecabAnalyser analyser;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Corrections corrections = parseCorrections(bytes);
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const LessonReadings readings = readLesson(text, analyser, corrections.entries);
    size_t end = 0;
    for (const Ruby& ruby : readings.rubies) {
        if (ruby.start < end || ruby.length == 0 || ruby.start + ruby.length > text.size() ||
            ruby.reading.empty() || !takesReading(text[ruby.start]))
            std::abort();
        end = ruby.start + ruby.length;
    }
    for (const ReadWord& word : readings.words)
        (void)romaji(word.reading);
    return 0;
}
