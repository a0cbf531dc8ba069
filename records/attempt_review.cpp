#include "records/attempt_review.h"

#include "core/utf8.h"
#include "records/sqlite_statement.h"

namespace {

constexpr const char* kLastAttemptSql =
    "SELECT id, lesson, COALESCE(title, ''), ended_at, completed, shifted FROM attempts"
    " ORDER BY id DESC LIMIT 1";
constexpr const char* kMistakesSql =
    "SELECT position, expected, typed, COALESCE(kind, ''), COALESCE(detail, ''), preedit,"
    " COALESCE(corrected, 0) FROM mistakes WHERE attempt_id = ? ORDER BY position, rowid";

std::u16string utf16(const std::string& text) {
    return fromUtf8(text).value_or(u"\uFFFD");
}

} // namespace

std::optional<ReviewedAttempt> lastAttemptReview(const Journal& journal) {
    if (!journal.isOpen())
        return std::nullopt;
    Statement attempt(journal.database(), kLastAttemptSql);
    if (attempt.step() != SQLITE_ROW)
        return std::nullopt;
    ReviewedAttempt review{attempt.integer(0), attempt.text(1),         attempt.text(2),
                           attempt.text(3),    attempt.integer(4) != 0, {},
                           attempt.integer(5)};
    Statement mistakes(journal.database(), kMistakesSql);
    mistakes.bind(1, review.id);
    while (mistakes.step() == SQLITE_ROW) {
        MistakeNote note{mistakes.text(3), mistakes.text(4)};
        std::optional<std::u16string> preedit;
        if (!mistakes.isNull(5))
            preedit = utf16(mistakes.text(5));
        review.mistakes.push_back({mistakes.integer(0), utf16(mistakes.text(1)),
                                   utf16(mistakes.text(2)), std::move(note), std::move(preedit),
                                   mistakes.integer(6) != 0});
    }
    return review;
}

bool sameSlipBefore(const Journal& journal, std::string_view kind, std::u16string_view expected,
                    std::u16string_view typed) {
    if (!journal.isOpen())
        return false;
    Statement same(journal.database(), "SELECT 1 FROM mistakes WHERE expected = ? AND typed = ?"
                                       " AND kind = ? LIMIT 1");
    same.bind(1, toUtf8(expected)).bind(2, toUtf8(typed)).bind(3, kind);
    return same.step() == SQLITE_ROW;
}
