#include "tools/slips_command.h"

#include "core/code_page.h"
#include "core/lesson_codec.h"
#include "core/line_breaks.h"
#include "core/utf8.h"
#include "explain/slip_book.h"
#include "readings/mecab_analyser.h"
#include "tools/headless_practice.h"
#include "tools/tool_output.h"

#include <charconv>
#include <iostream>
#include <sstream>

const char* const kSlipsUsage = R"(  orvanta-lesson slips LESSON EVENTS
      Replays typing on LESSON (a lesson file, or UTF-8 text with CR LF or LF
      lines) as the window takes it and writes the attempt's slips in lesson
      order, one line each: LINE, EXPECTED, TYPED, KIND and 已改正 or 未改正,
      separated by tabs (a line break shown as ↵, a field empty where nothing
      was expected or typed), then a summary line. EVENTS is UTF-8 text, one
      event a line: `commit TEXT [READING]` (the input method commits TEXT
      after the kana READING), `key TEXT` (plain key presses, one character
      each), `back N` (N Backspaces), `enter` (Return outside composition).
      Exit 0; 1 for a malformed event line (named by number); 2 if LESSON or
      EVENTS cannot be read.
)";

namespace {

constexpr std::size_t kEventsLimit = 16 << 20;

int usageError() {
    std::cerr << "Usage:\n" << kSlipsUsage;
    return 2;
}

int unreadable(const std::string& path, const char* why) {
    std::cerr << "orvanta-lesson: cannot read " << path << ": " << why << "\n";
    return 2;
}

bool isLessonFile(const std::string& path) {
    const std::string end = path.size() >= 4 ? path.substr(path.size() - 4) : "";
    return end == ".ORV" || end == ".orv";
}

std::optional<std::u16string> lessonText(const std::string& path, const std::string& bytes) {
    CodePage codePage;
    if (isLessonFile(path))
        return withCrLf(decodeLesson(bytes, codePage).text);
    std::string_view text = bytes;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const auto decoded = fromUtf8(text);
    return decoded ? std::optional(withCrLf(*decoded)) : std::nullopt;
}

// A Backspace takes a whole line break, as the typing box does.
void backspace(std::u16string& typed) {
    if (typed.ends_with(u"\r\n"))
        typed.resize(typed.size() - 2);
    else if (!typed.empty())
        typed.pop_back();
}

// Plays one event line on the practice; false when it is malformed.
bool play(const std::string& line, HeadlessPractice& practice) {
    std::istringstream words(line);
    std::string verb, first, second, extra;
    words >> verb >> first >> second >> extra;
    if (!extra.empty())
        return false;
    const auto text = fromUtf8(first), reading = fromUtf8(second);
    if (!text || !reading)
        return false;
    if (verb == "commit" && !text->empty()) {
        if (!reading->empty())
            practice.session().inputMethodReading(*reading);
        practice.typed() += *text;
        practice.typedChanged();
    } else if (verb == "key" && !text->empty() && second.empty()) {
        for (char16_t c : *text) {
            practice.typed() += c;
            practice.typedChanged();
        }
    } else if (verb == "back" && second.empty()) {
        int count = 0;
        const auto [end, error] = std::from_chars(first.data(), first.data() + first.size(), count);
        if (error != std::errc() || end != first.data() + first.size() || count < 1)
            return false;
        for (int i = 0; i < count; ++i) {
            backspace(practice.typed());
            practice.typedChanged();
        }
    } else if (verb == "enter" && first.empty()) {
        practice.typed() += u"\r\n";
        practice.typedChanged();
    } else {
        return verb.empty() && first.empty(); // a blank line is no event
    }
    return true;
}

std::string shown(std::u16string text) {
    for (std::size_t at = text.find(u"\r\n"); at != std::u16string::npos; at = text.find(u"\r\n"))
        text.replace(at, 2, u"↵");
    return toUtf8(text);
}

std::string report(const AttemptRecord& record) {
    std::string out;
    std::size_t corrected = 0;
    for (const Slip& slip : record.slips) {
        corrected += slip.corrected;
        out += std::to_string(slip.line) + "\t" + shown(slip.expected) + "\t" + shown(slip.typed) +
               "\t" + kindName(slip.explanation.kind) + "\t" +
               (slip.corrected ? "已改正" : "未改正") + "\n";
    }
    out += "共 " + std::to_string(record.slips.size()) + " 处，已改正 " +
           std::to_string(corrected) + " 处；错开的字 " +
           std::to_string(record.shiftedCharacters()) + " 个不计\n";
    return out;
}

} // namespace

int slipsCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2)
        return usageError();
    const auto lessonBytes = readRegularFile(arguments[0], 2 * kLessonFileLimit);
    if (const auto* problem = std::get_if<FileProblem>(&lessonBytes))
        return cannotRead(arguments[0], *problem);
    const auto text = lessonText(arguments[0], std::get<std::string>(lessonBytes));
    if (!text)
        return unreadable(arguments[0], "it is neither a lesson file nor UTF-8 text");
    const auto events = readRegularFile(arguments[1], kEventsLimit);
    if (const auto* problem = std::get_if<FileProblem>(&events))
        return cannotRead(arguments[1], *problem);
    KanjiSources kanji;
    MecabAnalyser analyser;
    LoadedReadings readings(analyser);
    SlipBook slips(kanji, readings);
    HeadlessPractice practice;
    practice.session().setSlipFinder(slips);
    practice.session().practiseText(*text, arguments[0]);
    std::istringstream lines(std::get<std::string>(events));
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (line.ends_with('\r'))
            line.pop_back();
        if (!play(line, practice)) {
            std::cerr << "orvanta-lesson: " << arguments[1] << ", line " << number
                      << ": not an event: " << line << "\n";
            return 1;
        }
    }
    if (const auto error = writeStandardOutput(report(practice.session().record())))
        return cannotWrite("standard output", *error);
    return 0;
}
