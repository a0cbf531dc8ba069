#include "records/history_pages.h"

#include <algorithm>

std::u16string HistoryPages::next(size_t pageBytes) {
    const std::string_view rest = std::string_view(m_bytes).substr(m_at);
    const std::string_view part = rest.substr(0, std::max<size_t>(pageBytes, 2));
    std::u16string decoded;
    if (part.size() == rest.size()) {
        decoded = m_codePage.decodeText(part);
        m_at = m_bytes.size();
    } else {
        m_at += m_codePage.decodeTextPart(part, decoded);
    }
    std::u16string page;
    page.reserve(decoded.size() + decoded.size() / kLongestLine);
    appendShown(decoded, page);
    return page;
}

void HistoryPages::appendShown(std::u16string_view decoded, std::u16string& page) {
    for (const char16_t ch : decoded) {
        const bool pairedLf = ch == u'\n' && m_afterCr;
        m_afterCr = ch == u'\r';
        if (pairedLf)
            continue;
        if (ch == u'\r' || ch == u'\n') {
            page += u'\n';
            m_column = 0;
            continue;
        }
        if (m_column == kLongestLine) {
            page += u'\n';
            m_column = 0;
        }
        page += ch;
        ++m_column;
    }
}
