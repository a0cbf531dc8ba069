#include "records/attempt_review.h"

#include "core/utf8.h"
#include "records/sqlite_statement.h"

namespace {

constexpr const char* kLastAttemptSql =
    "SELECT id, lesson, COALESCE(title, ''), ended_at, completed FROM attempts"
    " ORDER BY id DESC LIMIT 1";
constexpr const char* kMistakesSql =
    "SELECT position, expected, typed, COALESCE(kind, ''), COALESCE(detail, ''), preedit,"
    " COALESCE(corrected, 0) FROM mistakes WHERE attempt_id = ? ORDER BY rowid";

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
    ReviewedAttempt review{attempt.integer(0),
                           attempt.text(1),
                           attempt.text(2),
                           attempt.text(3),
                           attempt.integer(4) != 0,
                           {},
                           0};
    Statement mistakes(journal.database(), kMistakesSql);
    mistakes.bind(1, review.id);
    while (mistakes.step() == SQLITE_ROW) {
        MistakeNote note{mistakes.text(3), mistakes.text(4)};
        if (note.detail == kShifted) {
            ++review.shifted;
            continue;
        }
        std::optional<std::u16string> preedit;
        if (!mistakes.isNull(5))
            preedit = utf16(mistakes.text(5));
        review.mistakes.push_back({mistakes.integer(0), utf16(mistakes.text(1)),
                                   utf16(mistakes.text(2)), std::move(note), std::move(preedit),
                                   mistakes.integer(6) != 0});
    }
    return review;
}
