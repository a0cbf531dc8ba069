#include "records/history_pages.h"

#include "records/history_file.h"

#include <algorithm>

namespace {

bool endsLine(std::string_view bytes, size_t i) {
    if (bytes[i] == '\n')
        return true;
    return bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
}

// A byte below 0x40 is never the second byte of a GBK character, so a
// character starts after it; a CR is one only when no LF pairs with it.
bool endsCharacter(std::string_view bytes, size_t i) {
    return static_cast<unsigned char>(bytes[i]) < 0x40 &&
           !(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n');
}

// The seam at or after `from` in `bytes`, which begin at the file's start or
// one byte before `from`, and reach the file's end or kSeamSearch bytes past
// `from` and one more.
size_t seamAt(std::string_view bytes, size_t from) {
    if (from == 0 || from >= bytes.size())
        return std::min(from, bytes.size());
    const size_t until = std::min(bytes.size(), from + HistoryPages::kSeamSearch);
    for (size_t i = from - 1; i < until; ++i)
        if (endsLine(bytes, i))
            return i + 1;
    if (until == bytes.size())
        return until; // the file ends before another line does
    for (size_t i = from - 1; i < until; ++i)
        if (endsCharacter(bytes, i))
            return i + 1;
    return from;
}

// Line breaks as "\n", a CR LF pair as one, long lines cut.
std::u16string shownText(std::u16string_view decoded) {
    std::u16string shown;
    shown.reserve(decoded.size() + decoded.size() / HistoryPages::kLongestLine);
    size_t column = 0;
    bool afterCr = false;
    for (const char16_t ch : decoded) {
        const bool pairedLf = ch == u'\n' && afterCr;
        afterCr = ch == u'\r';
        if (pairedLf)
            continue;
        if (ch == u'\r' || ch == u'\n') {
            shown += u'\n';
            column = 0;
            continue;
        }
        if (column == HistoryPages::kLongestLine) {
            shown += u'\n';
            column = 0;
        }
        shown += ch;
        ++column;
    }
    return shown;
}

} // namespace

size_t HistoryPages::pageCount() const {
    const size_t size = m_fileSize.value_or(0);
    return std::max<size_t>(1, (size + m_pageBytes - 1) / m_pageBytes);
}

std::variant<std::u16string, FileProblem> HistoryPages::page(size_t index) {
    const size_t start = index * m_pageBytes;
    // From the byte before the page (a seam may follow it) through the search
    // for the seam at the page's end and the byte after that.
    const size_t begin = start == 0 ? 0 : start - 1;
    auto read = m_history.ReadHistoryPart(begin, start - begin + m_pageBytes + kSeamSearch + 1);
    if (auto* problem = std::get_if<FileProblem>(&read))
        return *problem;
    FilePart& part = std::get<FilePart>(read);
    if (!m_fileSize)
        m_fileSize = part.fileSize;
    const size_t inFile = *m_fileSize > begin ? *m_fileSize - begin : 0;
    const std::string_view bytes = std::string_view(part.bytes).substr(0, inFile);
    const size_t from = seamAt(bytes, start - begin);
    const size_t to = seamAt(bytes, start - begin + m_pageBytes);
    std::u16string shown =
        shownText(m_history.codePage().decodeText(bytes.substr(from, to - from)));
    // Only a line too long for the search of its end is cut by a page end,
    // and the next page cuts it as a line of its own.
    if (to > from && to < bytes.size() && !endsLine(bytes, to - 1))
        shown += u'\n';
    return shown;
}
