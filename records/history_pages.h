#pragma once

#include "core/code_page.h"

#include <cstddef>
#include <string>

// The history's text one page at a time, for a viewer that fills its box in
// steps: each page decodes a bounded number of GBK bytes (a character cut at
// the page's end goes to the next page), line breaks come as "\n", and a line
// longer than `kLongestLine` is cut into several, so that no step holds a
// line a text box takes long to lay out.
class HistoryPages {
  public:
    static constexpr size_t kLongestLine = 1000; // characters

    HistoryPages(std::string bytes, CodePage& codePage)
        : m_bytes(std::move(bytes)), m_codePage(codePage) {}

    bool atEnd() const { return m_at >= m_bytes.size(); }
    // The text of the next `pageBytes` bytes at most.
    std::u16string next(size_t pageBytes);

  private:
    void appendShown(std::u16string_view decoded, std::u16string& page);

    std::string m_bytes;
    CodePage& m_codePage;
    size_t m_at = 0;
    size_t m_column = 0;    // characters since the last line break shown
    bool m_afterCr = false; // the last character was a CR, whose LF is its pair
};
