#include "tools/readings_command.h"

#include "core/code_page.h"
#include "core/lesson_codec.h"
#include "core/local_files.h"
#include "core/utf8.h"
#include "readings/annotated_text.h"
#include "readings/lesson_readings.h"
#include "readings/mecab_analyser.h"
#include "tools/tool_output.h"

#include <filesystem>
#include <iostream>

const char* const kReadingsUsage = R"(  orvanta-lesson readings [--dictionary DIR] FILE.ORV
      Writes the text of lesson FILE.ORV with the reading of every kanji run
      after it, as 辞書[じしょ], the corrections of FILE.yomi applied; line
      breaks as LF. DIR is a MeCab IPA dictionary in UTF-8 (default: the
      installed mecab-ipadic-utf8). Exit 0; 1 if FILE.yomi has lines that are
      not WORD<TAB>READING (they are named and skipped) or if a word of
      FILE.ORV fails to decode (the text before it is written, as decode
      does); 2 if FILE.ORV or an existing FILE.yomi cannot be read; 3 if there
      is no dictionary.
)";

namespace {

// The annotated text with LF line breaks, as a terminal shows it.
std::u16string annotatedLines(std::u16string_view text, const std::vector<Ruby>& rubies) {
    std::u16string out = annotatedText(text, rubies);
    std::erase(out, u'\r');
    return out;
}

int usageError() {
    std::cerr << "Usage:\n" << kReadingsUsage;
    return 2;
}

} // namespace

int readingsCommand(const std::vector<std::string>& arguments) {
    std::string dictionary, lessonPath;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--dictionary" && i + 1 < arguments.size())
            dictionary = arguments[++i];
        else if (lessonPath.empty())
            lessonPath = arguments[i];
        else
            return usageError();
    }
    if (lessonPath.empty())
        return usageError();
    const auto read = readRegularFile(lessonPath, kLessonFileLimit);
    if (const auto* problem = std::get_if<FileProblem>(&read))
        return cannotRead(lessonPath, *problem);
    MecabAnalyser analyser(dictionary);
    if (!analyser.available()) {
        std::cerr << "orvanta-lesson: readings unavailable: " << analyser.problem() << "\n";
        return 3;
    }
    const Corrections corrections = readCorrections(lessonPath);
    if (corrections.unreadable)
        return cannotRead(correctionsPathFor(lessonPath), *corrections.unreadable);
    CodePage codePage;
    const DecodedLesson lesson = decodeLesson(std::get<std::string>(read), codePage);
    const std::u16string annotated =
        annotatedLines(lesson.text, readLesson(lesson.text, analyser, corrections.entries).rubies);
    if (const auto failure = writeStandardOutput(toUtf8(annotated)))
        return cannotWrite("standard output", *failure);
    if (lesson.failedAtByteOffset)
        return cannotDecode(*lesson.failedAtByteOffset);
    for (std::size_t line : corrections.badLines)
        std::cerr << "orvanta-lesson: " << correctionsPathFor(lessonPath) << " line " << line
                  << " is not WORD<TAB>READING; skipped\n";
    return corrections.badLines.empty() ? 0 : 1;
}
