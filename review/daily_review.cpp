#include "review/daily_review.h"

#include <algorithm>

namespace {

struct ChosenLine {
    const LenderLesson* lender;
    int line;
    WordSpan span;                                        // of the line in the lender's text
    std::vector<std::pair<std::int64_t, WordSpan>> words; // in the lender's text
};

// The lines' lessons, each read once; null for one that cannot be read.
class LessonCache {
  public:
    explicit LessonCache(LenderLessons& lessons) : m_lessons(lessons) {}
    bool has(const std::string& name) const { return m_read.contains(name); }
    void sortOut(std::vector<std::string>& read, std::vector<std::string>& unread) const {
        for (const auto& [name, lesson] : m_read)
            (lesson ? read : unread).push_back(name);
    }
    const LenderLesson* get(const std::string& name) {
        auto found = m_read.find(name);
        if (found == m_read.end())
            found = m_read.emplace(name, m_lessons.read(name)).first;
        return found->second ? &*found->second : nullptr;
    }

  private:
    LenderLessons& m_lessons;
    std::map<std::string, std::optional<LenderLesson>> m_read;
};

WordSpan lineAround(std::u16string_view text, WordSpan word) {
    const size_t from = static_cast<size_t>(word.start);
    const size_t previous = text.rfind(u"\r\n", from);
    const size_t start = previous == std::u16string_view::npos ? 0 : previous + 2;
    const size_t end = std::min(text.find(u"\r\n", from), text.size());
    return {static_cast<Pos>(start), static_cast<Pos>(end - start)};
}

} // namespace

DailyReview buildDailyReview(const std::vector<DueCard>& due, LenderLessons& lessons,
                             size_t maxLines) {
    std::vector<const DueCard*> order;
    for (const DueCard& card : due)
        order.push_back(&card);
    std::stable_sort(order.begin(), order.end(),
                     [](const DueCard* a, const DueCard* b) { return a->due < b->due; });
    LessonCache cache(lessons);
    DailyReview review;
    std::vector<ChosenLine> chosen;
    for (const DueCard* card : order) {
        // Once the review is full, only the chosen lines may take more words.
        if (chosen.size() == maxLines && !cache.has(card->place.lesson))
            continue;
        const LenderLesson* lender = cache.get(card->place.lesson);
        if (!lender)
            continue; // it waits until its lesson can be read again
        const auto span = spanOf(lender->text, card->place);
        if (!span) {
            review.retired.push_back(card->id);
            continue;
        }
        auto line = std::find_if(chosen.begin(), chosen.end(), [&](const ChosenLine& l) {
            return l.lender == lender && l.line == card->place.line;
        });
        if (line == chosen.end() && chosen.size() < maxLines)
            line = chosen.insert(chosen.end(),
                                 {lender, card->place.line, lineAround(lender->text, *span), {}});
        if (line != chosen.end())
            line->words.emplace_back(card->id, *span);
    }
    std::vector<BorrowedLine> borrowed;
    Pos offset = 0;
    for (const ChosenLine& line : chosen) {
        const std::u16string_view text = line.lender->text;
        borrowed.push_back({std::u16string(text.substr(static_cast<size_t>(line.span.start),
                                                       static_cast<size_t>(line.span.length))),
                            &line.lender->corrections});
        for (const auto& [card, span] : line.words)
            review.words.push_back({card, {offset + span.start - line.span.start, span.length}});
        offset += line.span.length + 2;
    }
    review.lesson = borrowLines(borrowed);
    review.lineCount = chosen.size();
    cache.sortOut(review.readLessons, review.unreadLessons);
    return review;
}

std::u16string dailyReviewTitle(size_t lines) {
    std::u16string title = u"今日复习（";
    for (char digit : std::to_string(lines))
        title += static_cast<char16_t>(digit);
    return title + u" 句）";
}
