#pragma once

#include "core/ports.h"
#include "review/card_place.h"
#include "review/rating.h"

#include <optional>
#include <vector>

// What the learner did at each lesson position of one attempt, for rating
// the words typed there: typed right at the first try (good), right in the
// end after a mistake taken back (hard), or a wrong character left (again).
class TypedMarks {
  public:
    void clear() { m_marks.clear(); }
    void evaluated(Pos position, bool right);
    void takenBack(Pos position);

    // None while a character of the word has not been typed (or was taken
    // back and not typed again) and none of it is wrong.
    std::optional<Rating> ratingOf(WordSpan word) const;
    // Every position that was wrong at some time, in order.
    std::vector<Pos> missedPositions() const;

  private:
    enum Now : unsigned char { Untyped, Right, Wrong };
    struct Mark {
        Now now = Untyped;
        bool everWrong = false;
    };
    Mark& at(Pos position);
    std::vector<Mark> m_marks;
};
