#pragma once

#include "core/ports.h"
#include "readings/lesson_readings.h"

#include <string>
#include <string_view>
#include <vector>

// One kanji where a lesson has it, with the readings it is taught with there:
// its own (the reading placed over it alone, when the analyser could split
// its word) and its word's.
struct KanjiPlace {
    std::string lesson; // catalogue name (J01A) or the lesson file's path
    int line = 0;       // 1-based
    Pos position = 0;   // lesson position, line breaks as CR LF
    char16_t kanji = 0;
    std::u16string reading; // hiragana; empty when it is read only with its word
    std::u16string word;
    std::u16string wordReading;
    friend bool operator==(const KanjiPlace&, const KanjiPlace&) = default;
};

// A kanji to learn: the CJK ideographs, without the repeat mark 々.
bool isKanji(char16_t c);

// Every kanji of a lesson text in text order, with the readings worked out
// for the text.
std::vector<KanjiPlace> kanjiPlaces(const std::string& lesson, std::u16string_view text,
                                    const LessonReadings& readings);

// The places as UTF-8 lines LESSON<TAB>LINE<TAB>POSITION<TAB>KANJI<TAB>
// READING<TAB>WORD<TAB>WORD READING, after a comment line.
std::string kanjiPlacesText(const std::vector<KanjiPlace>& places);

struct ParsedKanjiPlaces {
    std::vector<KanjiPlace> places;
    std::vector<size_t> badLines; // 1-based, skipped
};
// Reads what kanjiPlacesText wrote; lines starting with # and empty lines are skipped.
ParsedKanjiPlaces parseKanjiPlaces(std::string_view bytes);

// The course's places, worked out when the program was built, beside the
// lessons in the program folder.
inline constexpr std::string_view kCourseKanjiFile = "ldata/course_kanji.tsv";
inline constexpr size_t kCourseKanjiFileLimit = 8 * 1024 * 1024;
