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
    return parseEntryLines<Correction>(bytes, parseLine);
}

Corrections readCorrections(const std::string& lessonPath) {
    return readEntryLines<Correction>(correctionsPathFor(lessonPath), kCorrectionsFileLimit,
                                      parseCorrections);
}
