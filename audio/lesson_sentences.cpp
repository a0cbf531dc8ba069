#include "audio/lesson_sentences.h"

#include <algorithm>

namespace {

bool blank(std::u16string_view line) {
    return std::all_of(line.begin(), line.end(),
                       [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; });
}

} // namespace

std::vector<std::size_t> spokenLines(std::u16string_view text) {
    std::vector<std::size_t> lines;
    std::size_t number = 1;
    while (true) {
        const auto end = text.find_first_of(u"\r\n");
        if (!blank(text.substr(0, end)))
            lines.push_back(number);
        if (end == std::u16string_view::npos)
            return lines;
        const bool crlf = text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
        ++number;
    }
}

std::vector<LineCut> cutsForLines(const std::vector<Sentence>& sentences,
                                  const std::vector<std::size_t>& lines) {
    std::vector<LineCut> cuts;
    for (std::size_t i = 0; i < std::min(sentences.size(), lines.size()); ++i)
        cuts.push_back({lines[i], sentences[i]});
    return cuts;
}

const LineCut* cutOfLine(const std::vector<LineCut>& cuts, std::size_t line) {
    const auto found =
        std::find_if(cuts.begin(), cuts.end(), [line](const LineCut& c) { return c.line == line; });
    return found == cuts.end() ? nullptr : &*found;
}
