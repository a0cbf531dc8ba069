#include "records/drill_builder.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace {

// The course's distinct non-empty lines, in course order.
std::vector<std::u16string_view> courseLines(const std::vector<std::u16string>& texts) {
    std::vector<std::u16string_view> lines;
    std::set<std::u16string_view> seen;
    for (std::u16string_view text : texts) {
        while (!text.empty()) {
            const size_t end = std::min(text.find(u"\r\n"), text.size());
            const std::u16string_view line = text.substr(0, end);
            if (!line.empty() && seen.insert(line).second)
                lines.push_back(line);
            text.remove_prefix(std::min(end + 2, text.size()));
        }
    }
    return lines;
}

} // namespace

std::vector<std::u16string> drillLines(const std::vector<std::u16string>& courseTexts,
                                       const std::vector<std::u16string>& missed, size_t maxLines) {
    const std::vector<std::u16string_view> lines = courseLines(courseTexts);
    std::vector<size_t> chosen; // indexes into lines
    const auto contains = [&](size_t line, const std::u16string& ch) {
        return !ch.empty() && lines[line].find(ch) != std::u16string_view::npos;
    };
    for (const std::u16string& ch : missed) {
        if (chosen.size() >= maxLines)
            break;
        const bool covered =
            std::any_of(chosen.begin(), chosen.end(), [&](size_t l) { return contains(l, ch); });
        if (covered)
            continue;
        for (size_t l = 0; l < lines.size(); ++l) {
            if (contains(l, ch)) {
                chosen.push_back(l);
                break;
            }
        }
    }
    std::sort(chosen.begin(), chosen.end());
    std::vector<std::u16string> drill;
    for (size_t l : chosen)
        drill.emplace_back(lines[l]);
    return drill;
}

std::u16string drillText(const std::vector<std::u16string>& lines) {
    std::u16string text;
    for (const std::u16string& line : lines) {
        if (!text.empty())
            text += u"\r\n";
        text += line;
    }
    return text;
}
