#include "readings/yomi_file.h"

#include "core/utf8.h"
#include "readings/kana.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isReadingCharacter(char16_t c) {
    return isHiragana(c) || isKatakana(c) || c == u'ー';
}

std::optional<Correction> parseLine(std::string_view line) {
    const auto tab = line.find('\t');
    if (tab == std::string_view::npos)
        return std::nullopt;
    const auto word = fromUtf8(line.substr(0, tab));
    const auto reading = fromUtf8(line.substr(tab + 1));
    if (!word || !reading || word->empty() || reading->empty() ||
        !std::all_of(reading->begin(), reading->end(), isReadingCharacter))
        return std::nullopt;
    return Correction{*word, toHiragana(*reading)};
}

} // namespace

std::string correctionsPathFor(const std::string& lessonPath) {
    return std::filesystem::path(lessonPath).replace_extension(".yomi").string();
}

Corrections parseCorrections(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    Corrections corrections;
    std::size_t number = 0;
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        ++number;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with('#'))
            continue;
        if (const auto correction = parseLine(line))
            corrections.entries.push_back(*correction);
        else
            corrections.badLines.push_back(number);
    }
    return corrections;
}

Corrections readCorrections(const std::string& lessonPath) {
    const auto read = readRegularFile(correctionsPathFor(lessonPath), kCorrectionsFileLimit);
    if (const auto* bytes = std::get_if<std::string>(&read))
        return parseCorrections(*bytes);
    Corrections none;
    if (std::get<FileProblem>(read) != FileProblem::Missing)
        none.unreadable = std::get<FileProblem>(read);
    return none;
}
