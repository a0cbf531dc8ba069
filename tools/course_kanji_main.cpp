// orvanta-course-kanji -o OUT [--dictionary DIR] LESSON.ORV...: the kanji of
// the course's lessons with their readings, worked out once when the program
// is built, so that the mastery page never runs the analyser over the course.
#include "core/atomic_write.h"
#include "core/code_page.h"
#include "core/lesson_codec.h"
#include "core/local_files.h"
#include "core/regular_file.h"
#include "readings/mecab_analyser.h"
#include "review/course_kanji.h"

#include <cstring>
#include <filesystem>
#include <iostream>

namespace {

int usage() {
    std::cerr << "Usage: orvanta-course-kanji -o OUT [--dictionary DIR] LESSON.ORV...\n";
    return 2;
}

// The places of one lesson, named by its file's stem (J01A); nothing when it
// cannot be read or decoded whole.
std::optional<std::vector<KanjiPlace>> lessonPlaces(const std::string& path, Analyser& analyser,
                                                    CodePage& codePage) {
    const auto bytes = readRegularFile(path, kLessonFileLimit);
    if (!std::holds_alternative<std::string>(bytes))
        return std::nullopt;
    const DecodedLesson lesson = decodeLesson(std::get<std::string>(bytes), codePage);
    if (lesson.failedAtByteOffset)
        return std::nullopt;
    const LessonReadings readings =
        readLesson(lesson.text, analyser, readCorrections(path).entries);
    return kanjiPlaces(std::filesystem::path(path).stem().string(), lesson.text, readings);
}

} // namespace

int main(int argc, char** argv) {
    std::string out, dictionary;
    std::vector<std::string> lessons;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc)
            out = argv[++i];
        else if (std::strcmp(argv[i], "--dictionary") == 0 && i + 1 < argc)
            dictionary = argv[++i];
        else
            lessons.emplace_back(argv[i]);
    }
    if (out.empty() || lessons.empty())
        return usage();
    MecabAnalyser analyser(dictionary);
    if (!analyser.available()) {
        std::cerr << "orvanta-course-kanji: readings unavailable: " << analyser.problem() << "\n";
        return 3;
    }
    CodePage codePage;
    std::vector<KanjiPlace> all;
    for (const std::string& path : lessons) {
        auto places = lessonPlaces(path, analyser, codePage);
        if (!places) {
            std::cerr << "orvanta-course-kanji: cannot read " << path << "\n";
            return 1;
        }
        all.insert(all.end(), places->begin(), places->end());
    }
    if (const auto error = replaceFile(out, kanjiPlacesText(all))) {
        std::cerr << "orvanta-course-kanji: cannot write " << out << ": " << std::strerror(*error)
                  << "\n";
        return 1;
    }
    return 0;
}
