#pragma once

#include "core/ports.h"

#include <string_view>
#include <vector>

// The program counts a line break as two positions (CR LF); Qt's document holds
// one separator for it. This maps a program position to a document position.
class LineBreakMap {
  public:
    void rebuild(std::u16string_view text);
    // Both characters of a line break map to its separator.
    int toDocument(Pos position) const;
    // A document position's program position; a separator maps to its CR.
    Pos toProgram(int documentPosition) const;

  private:
    std::vector<Pos> m_lineFeeds; // index of the LF of every CR LF pair, ascending
};
