// orvanta-lesson: makes lesson files from UTF-8 text and shows what a lesson file holds.
#include "core/atomic_write.h"
#include "core/code_page.h"
#include "core/lesson_codec.h"
#include "core/line_breaks.h"
#include "core/local_files.h"
#include "core/regular_file.h"
#include "core/text_import.h"
#include "core/utf8.h"
#include "tools/class_report_command.h"
#include "tools/explain_command.h"
#include "tools/readings_command.h"
#include "tools/review_schedule_command.h"
#include "tools/slips_command.h"
#include "tools/tool_output.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>
#include <vector>

namespace {

constexpr const char* kUsage = R"(Usage:
  orvanta-lesson decode FILE
      Writes the text of lesson FILE to standard output as UTF-8, line breaks
      as CR LF (a lone CR or LF too, as Orvanta reads them). Exit 0; 1 if a word fails to decode (what came before it is
      written, its byte offset named on standard error) or if standard output
      cannot be written; 2 if FILE cannot be read, is no regular file or is
      larger than Orvanta reads.
  orvanta-lesson encode [-o OUT [--force]] [IN]
      Reads UTF-8 text from IN (or standard input), skips a byte order mark at
      its start, makes every line end CR LF (a lone CR or LF included) and
      writes the lesson file to OUT (or standard output). A character the GBK
      code page cannot hold, invalid UTF-8, a lesson larger than Orvanta reads
      or an output that cannot be written is an error (exit 1), located by
      line and column where it is a character; no output file is left behind.
      An existing OUT is replaced only when it is a regular file, and keeps
      its permissions; a read-only one only with --force. A folder, a symbolic
      link, a pipe, a device or a socket at OUT is never replaced. Exit 2 if
      IN cannot be read or OUT may not be replaced.
  orvanta-lesson --help
      Shows this text.
)";

// UTF-8 text larger than this cannot make a lesson file the program reads.
constexpr size_t kInputLimit = 2 * kLessonFileLimit;

int decode(const std::string& path) {
    const auto read = readRegularFile(path, kLessonFileLimit);
    if (const auto* problem = std::get_if<FileProblem>(&read))
        return cannotRead(path, *problem);
    CodePage codePage;
    const DecodedLesson lesson = decodeLesson(std::get<std::string>(read), codePage);
    if (const auto error = writeStandardOutput(toUtf8(withCrLf(lesson.text))))
        return cannotWrite("standard output", *error);
    return lesson.failedAtByteOffset ? cannotDecode(*lesson.failedAtByteOffset) : 0;
}

// Line and column (1-based, in characters) of a byte offset in UTF-8 text.
std::pair<size_t, size_t> lineAndColumn(std::string_view bytes, size_t offset) {
    size_t line = 1, column = 1;
    for (size_t i = 0; i < offset; ++i) {
        if (bytes[i] == '\n')
            ++line, column = 1;
        else if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80)
            ++column;
    }
    return {line, column};
}

int wontReplace(const std::string& outPath, const char* reason) {
    std::cerr << "orvanta-lesson: will not replace " << outPath << ": " << reason << "\n";
    return 2;
}

bool isReadOnly(const std::string& path, const struct stat& info) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// Only a regular file at OUT is replaced, and a read-only one only when
// forced; the exit status of the refusal otherwise.
std::optional<int> refusalToReplace(const std::string& outPath, bool force) {
    struct stat info {};
    if (::lstat(outPath.c_str(), &info) != 0)
        return errno == ENOENT ? std::nullopt : std::optional(cannotWrite(outPath, errno));
    if (S_ISDIR(info.st_mode))
        return wontReplace(outPath, "it is a folder");
    if (S_ISLNK(info.st_mode))
        return wontReplace(outPath, "it is a symbolic link");
    if (!S_ISREG(info.st_mode))
        return wontReplace(outPath, "it is not a regular file");
    if (!force && isReadOnly(outPath, info))
        return wontReplace(outPath, "it is read-only (--force replaces it)");
    return std::nullopt;
}

std::string_view withoutByteOrderMark(std::string_view bytes) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    return bytes.starts_with(kMark) ? bytes.substr(kMark.size()) : bytes;
}

// Names every character GBK cannot hold, or the size; the exit status 1.
int refused(const LessonRefusal& refusal) {
    for (const UnencodableChar& bad : refusal.outsideGbk) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(bad.codePoint));
        std::cerr << "orvanta-lesson: " << code << " at line " << bad.line << ", column "
                  << bad.column << " is not in the GBK code page\n";
    }
    if (refusal.outsideGbk.empty())
        std::cerr << "orvanta-lesson: the lesson would be " << refusal.fileSize
                  << " bytes, more than the " << kLessonFileLimit << " bytes Orvanta reads\n";
    return 1;
}

int encode(const std::optional<std::string>& inPath, const std::optional<std::string>& outPath,
           bool force) {
    if (!inPath && ::fcntl(STDIN_FILENO, F_GETFD) < 0) {
        std::cerr << "orvanta-lesson: cannot read standard input: it is closed\n";
        return 2;
    }
    const auto read =
        inPath ? readRegularFile(*inPath, kInputLimit) : readToEnd(STDIN_FILENO, kInputLimit);
    if (const auto* problem = std::get_if<FileProblem>(&read))
        return cannotRead(inPath.value_or("standard input"), *problem);
    const std::string_view bytes = withoutByteOrderMark(std::get<std::string>(read));
    Utf8Error utf8Error{};
    const auto text = fromUtf8(bytes, &utf8Error);
    if (!text) {
        const auto [line, column] = lineAndColumn(bytes, utf8Error.byteOffset);
        std::cerr << "orvanta-lesson: invalid UTF-8 at line " << line << ", column " << column
                  << "\n";
        return 1;
    }
    if (const auto control =
            std::find_if(bytes.begin(), bytes.end(),
                         [](char c) { return isStrayControl(static_cast<unsigned char>(c)); });
        control != bytes.end()) {
        const auto [line, column] =
            lineAndColumn(bytes, static_cast<size_t>(control - bytes.begin()));
        std::cerr << "orvanta-lesson: a control character at line " << line << ", column " << column
                  << "; a lesson holds only text, tabs and line breaks\n";
        return 1;
    }
    CodePage codePage;
    const auto encoded = lessonFileOf(withCrLf(*text), codePage);
    if (const auto* refusal = std::get_if<LessonRefusal>(&encoded))
        return refused(*refusal);
    const std::string& lesson = std::get<std::string>(encoded);
    if (outPath) {
        if (const auto refusal = refusalToReplace(*outPath, force))
            return *refusal;
        const auto error = replaceFile(*outPath, lesson);
        return error ? cannotWrite(*outPath, *error) : 0;
    }
    if (const auto error = writeStandardOutput(lesson))
        return cannotWrite("standard output", *error);
    return 0;
}

int usageError() {
    std::cerr << kUsage << kReadingsUsage << kExplainUsage << kReviewScheduleUsage << kSlipsUsage
              << kClassReportUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usageError();
    if (args[0] == "--help" || args[0] == "-h") {
        const auto error =
            writeStandardOutput(std::string(kUsage) + kReadingsUsage + kExplainUsage +
                                kReviewScheduleUsage + kSlipsUsage + kClassReportUsage);
        return error ? cannotWrite("standard output", *error) : 0;
    }
    if (args[0] == "decode")
        return args.size() == 2 ? decode(args[1]) : usageError();
    if (args[0] == "readings")
        return readingsCommand({args.begin() + 1, args.end()});
    if (args[0] == "explain")
        return explainCommand({args.begin() + 1, args.end()});
    if (args[0] == "slips")
        return slipsCommand({args.begin() + 1, args.end()});
    if (args[0] == "review-schedule")
        return reviewScheduleCommand({args.begin() + 1, args.end()});
    if (args[0] == "class-report")
        return classReportCommand({args.begin() + 1, args.end()});
    if (args[0] != "encode")
        return usageError();
    std::optional<std::string> in, out;
    bool force = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            out = args[++i];
        else if (args[i] == "--force")
            force = true;
        else if (!in && args[i] != "-o")
            in = args[i];
        else
            return usageError();
    }
    if (force && !out)
        return usageError();
    return encode(in, out, force);
}
