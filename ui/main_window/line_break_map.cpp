#include "ui/main_window/line_break_map.h"

#include <algorithm>

void LineBreakMap::rebuild(std::u16string_view text) {
    m_lineFeeds.clear();
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] == u'\n' && text[i - 1] == u'\r')
            m_lineFeeds.push_back(static_cast<Pos>(i));
}

int LineBreakMap::toDocument(Pos position) const {
    const auto before =
        std::upper_bound(m_lineFeeds.begin(), m_lineFeeds.end(), position) - m_lineFeeds.begin();
    return static_cast<int>(position - before);
}

Pos LineBreakMap::toProgram(int documentPosition) const {
    // The k-th line feed stands at program position m_lineFeeds[k], document
    // position m_lineFeeds[k] - k; each one before the position adds one.
    Pos before = 0;
    while (before < static_cast<Pos>(m_lineFeeds.size()) &&
           m_lineFeeds[static_cast<size_t>(before)] - before <= documentPosition)
        ++before;
    return documentPosition + before;
}
