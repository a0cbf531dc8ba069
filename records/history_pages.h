#pragma once

#include "core/code_page.h"
#include "core/regular_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <variant>

class HistoryFile;

// The history's text a page at a time, for a viewer that shows a window of a
// long file and never holds it whole. Page k covers the bytes from the seam
// at or after k × pageBytes to the next page's seam. A seam is the end of a
// line where one comes within `kSeamSearch` bytes, else the end of a byte
// below 0x40 (never the second byte of a GBK character), else the place
// itself; so a page is read and decoded by itself, in any order, and the
// pages joined are the file's text. Line breaks come as "\n"; a line is
// shown whole, for the box to wrap, up to `kLongestLine` characters, and a
// longer one is cut into several (a line longer than the search for its end
// also where a page ends), so that no page holds a line a text box takes long
// to lay out: one of 65,536 characters takes about a second. The longest
// whole line fits the search for its end even in double-byte characters, so
// a page end never cuts it.
class HistoryPages {
  public:
    static constexpr size_t kLongestLine = 2000; // characters
    static constexpr size_t kPageBytes = 128 * 1024;
    static constexpr size_t kSeamSearch = 4096;
    static_assert(2 * kLongestLine <= kSeamSearch);

    explicit HistoryPages(const HistoryFile& history, size_t pageBytes = kPageBytes)
        : m_history(history), m_pageBytes(pageBytes) {}

    // The text of one page. The file's size at the first read fixes the
    // pages: what is appended while the pages are shown is not among them.
    std::variant<std::u16string, FileProblem> page(size_t index);
    // Known after the first read; at least 1.
    size_t pageCount() const;

  private:
    const HistoryFile& m_history;
    size_t m_pageBytes;
    std::optional<size_t> m_fileSize;
};
