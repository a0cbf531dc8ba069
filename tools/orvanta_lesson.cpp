// orvanta-lesson: makes lesson files from UTF-8 text and shows what a lesson file holds.
#include "core/code_page.h"
#include "core/lesson_codec.h"
#include "core/utf8.h"
#include "tools/readings_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage = R"(Usage:
  orvanta-lesson decode FILE
      Writes the text of lesson FILE to standard output as UTF-8, line breaks
      as CR LF. Exit 0; 1 if a word fails to decode (what came before it is
      written, its byte offset named on standard error); 2 if FILE cannot be read.
  orvanta-lesson encode [-o OUT] [IN]
      Reads UTF-8 text from IN (or standard input), makes every line end CR LF
      and writes the lesson file to OUT (or standard output). A character the
      GBK code page cannot hold, or invalid UTF-8, is an error (exit 1) naming
      its line and column; no output file is left behind.
  orvanta-lesson --help
      Shows this text.
)";

std::optional<std::string> readAll(std::istream& in) {
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return readAll(in);
}

int decode(const std::string& path) {
    const auto bytes = readFile(path);
    if (!bytes) {
        std::cerr << "orvanta-lesson: cannot read " << path << "\n";
        return 2;
    }
    CodePage codePage;
    const DecodedLesson lesson = decodeLesson(*bytes, codePage);
    std::cout << toUtf8(lesson.text) << std::flush;
    if (lesson.failedAtByteOffset) {
        std::cerr << "orvanta-lesson: the word at byte offset " << *lesson.failedAtByteOffset
                  << " does not decode\n";
        return 1;
    }
    return 0;
}

std::u16string withCrLf(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        if (text[i] == u'\n')
            out += u'\r';
        out += text[i];
    }
    return out;
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

int writeOutput(const std::string& bytes, const std::optional<std::string>& outPath) {
    if (!outPath) {
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return std::cout.flush() ? 0 : 1;
    }
    const std::string temporary = *outPath + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << "orvanta-lesson: cannot write " << *outPath << "\n";
            std::filesystem::remove(temporary);
            return 1;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, *outPath, ec);
    if (ec) {
        std::cerr << "orvanta-lesson: cannot write " << *outPath << "\n";
        std::filesystem::remove(temporary);
        return 1;
    }
    return 0;
}

int encode(const std::optional<std::string>& inPath, const std::optional<std::string>& outPath) {
    const auto bytes = inPath ? readFile(*inPath) : readAll(std::cin);
    if (!bytes) {
        std::cerr << "orvanta-lesson: cannot read " << inPath.value_or("standard input") << "\n";
        return 2;
    }
    Utf8Error utf8Error{};
    const auto text = fromUtf8(*bytes, &utf8Error);
    if (!text) {
        const auto [line, column] = lineAndColumn(*bytes, utf8Error.byteOffset);
        std::cerr << "orvanta-lesson: invalid UTF-8 at line " << line << ", column " << column
                  << "\n";
        return 1;
    }
    CodePage codePage;
    const auto encoded = encodeLesson(withCrLf(*text), codePage);
    if (const auto* bad = std::get_if<UnencodableChar>(&encoded)) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(bad->ch));
        std::cerr << "orvanta-lesson: " << code << " at line " << bad->line << ", column "
                  << bad->column << " is not in the GBK code page\n";
        return 1;
    }
    return writeOutput(std::get<std::string>(encoded), outPath);
}

int usageError() {
    std::cerr << kUsage << kReadingsUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usageError();
    if (args[0] == "--help" || args[0] == "-h") {
        std::cout << kUsage << kReadingsUsage;
        return 0;
    }
    if (args[0] == "decode")
        return args.size() == 2 ? decode(args[1]) : usageError();
    if (args[0] == "readings")
        return readingsCommand({args.begin() + 1, args.end()});
    if (args[0] != "encode")
        return usageError();
    std::optional<std::string> in, out;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size())
            out = args[++i];
        else if (!in && args[i] != "-o")
            in = args[i];
        else
            return usageError();
    }
    return encode(in, out);
}
