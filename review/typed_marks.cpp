#include "review/typed_marks.h"

TypedMarks::Mark& TypedMarks::at(Pos position) {
    const auto index = static_cast<size_t>(position);
    if (index >= m_marks.size())
        m_marks.resize(index + 1);
    return m_marks[index];
}

void TypedMarks::evaluated(Pos position, bool right) {
    if (position < 0)
        return;
    Mark& mark = at(position);
    mark.now = right ? Right : Wrong;
    mark.everWrong = mark.everWrong || !right;
}

void TypedMarks::takenBack(Pos position) {
    if (position >= 0 && static_cast<size_t>(position) < m_marks.size())
        m_marks[static_cast<size_t>(position)].now = Untyped;
}

std::optional<Rating> TypedMarks::ratingOf(WordSpan word) const {
    bool untyped = false, mended = false;
    for (Pos p = word.start; p < word.start + word.length; ++p) {
        const Mark mark =
            static_cast<size_t>(p) < m_marks.size() ? m_marks[static_cast<size_t>(p)] : Mark{};
        if (mark.now == Wrong)
            return Rating::Again;
        untyped = untyped || mark.now == Untyped;
        mended = mended || mark.everWrong;
    }
    if (untyped || word.length <= 0)
        return std::nullopt;
    return mended ? Rating::Hard : Rating::Good;
}

std::vector<Pos> TypedMarks::missedPositions() const {
    std::vector<Pos> missed;
    for (size_t p = 0; p < m_marks.size(); ++p)
        if (m_marks[p].everWrong)
            missed.push_back(static_cast<Pos>(p));
    return missed;
}
