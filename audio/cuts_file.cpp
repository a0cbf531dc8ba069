#include "audio/cuts_file.h"

#include "core/atomic_write.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

template <typename Number> std::optional<Number> numberOf(std::string_view field) {
    Number value{};
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size())
        return std::nullopt;
    return value;
}

// Seconds as the file keeps them, to the hundredth, so that what is read
// is written back the same.
std::optional<double> hundredths(std::string_view field) {
    const auto value = numberOf<double>(field);
    if (!value || !std::isfinite(*value) || std::abs(*value) > 1e9)
        return std::nullopt;
    return std::round(*value * 100) / 100;
}

std::optional<LineCut> parseLine(std::string_view line) {
    const auto first = line.find('\t');
    const auto second = line.find('\t', first == std::string_view::npos ? first : first + 1);
    if (second == std::string_view::npos)
        return std::nullopt;
    const auto number = numberOf<std::size_t>(line.substr(0, first));
    const auto start = hundredths(line.substr(first + 1, second - first - 1));
    const auto end = hundredths(line.substr(second + 1));
    if (!number || !start || !end || *number == 0 || *start < 0 || *end <= *start)
        return std::nullopt;
    return LineCut{*number, {*start, *end}};
}

} // namespace

std::string cutsPathFor(const std::string& lessonPath) {
    return std::filesystem::path(lessonPath).replace_extension(".cuts").string();
}

std::string cutsText(const std::vector<LineCut>& cuts) {
    std::string text;
    for (const LineCut& cut : cuts)
        text += std::to_string(cut.line) + '\t' + seconds(cut.sentence.start) + '\t' +
                seconds(cut.sentence.end) + '\n';
    return text;
}

std::string sentencesText(const std::vector<Sentence>& sentences) {
    std::string text;
    for (const Sentence& sentence : sentences)
        text += seconds(sentence.start) + '\t' + seconds(sentence.end) + '\n';
    return text;
}

Cuts parseCuts(std::string_view bytes) {
    return parseEntryLines<LineCut>(bytes, parseLine);
}

Cuts readCuts(const std::string& lessonPath) {
    return readEntryLines<LineCut>(cutsPathFor(lessonPath), kCutsFileLimit, parseCuts);
}

std::optional<int> writeCuts(const std::string& lessonPath, const std::vector<LineCut>& cuts) {
    return replaceFile(cutsPathFor(lessonPath), cutsText(cuts));
}
