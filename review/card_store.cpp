#include "review/card_store.h"

#include "core/utf8.h"
#include "records/sqlite_statement.h"
#include "review/iso_time.h"

namespace {

constexpr const char* kCardColumns =
    "id, stability, difficulty, last_review, due, reviews, lapses, retired";

struct StoredCard {
    std::int64_t id = 0;
    Schedule schedule;
    bool retired = false;
};

StoredCard storedCard(const Statement& row) {
    StoredCard card;
    card.id = row.integer(0);
    card.schedule.stability = row.real(1);
    card.schedule.difficulty = row.real(2);
    card.schedule.lastReview = parseIsoDate(row.text(3)).value_or(0);
    card.schedule.due = parseIsoDate(row.text(4)).value_or(0);
    card.schedule.reviews = static_cast<int>(row.integer(5));
    card.schedule.lapses = static_cast<int>(row.integer(6));
    card.retired = !row.text(7).empty();
    return card;
}

std::optional<StoredCard> findCard(sqlite3* db, const CardPlace& place) {
    Statement find(db, std::string("SELECT ") + kCardColumns +
                           " FROM cards WHERE lesson = ? AND line = ? AND place = ? AND word = ?");
    find.bind(1, place.lesson)
        .bind(2, std::int64_t{place.line})
        .bind(3, std::int64_t{place.column})
        .bind(4, toUtf8(place.word));
    if (find.step() != SQLITE_ROW)
        return std::nullopt;
    return storedCard(find);
}

std::optional<StoredCard> cardById(sqlite3* db, std::int64_t id) {
    Statement find(db, std::string("SELECT ") + kCardColumns + " FROM cards WHERE id = ?");
    find.bind(1, id);
    if (find.step() != SQLITE_ROW)
        return std::nullopt;
    return storedCard(find);
}

std::optional<std::int64_t> insertCard(sqlite3* db, const CardPlace& place) {
    Statement insert(db,
                     "INSERT INTO cards(lesson, line, place, word, stability, difficulty,"
                     " last_review, due, reviews, lapses) VALUES (?, ?, ?, ?, 0, 0, '', '', 0, 0)");
    insert.bind(1, place.lesson)
        .bind(2, std::int64_t{place.line})
        .bind(3, std::int64_t{place.column})
        .bind(4, toUtf8(place.word));
    if (insert.step() != SQLITE_DONE)
        return std::nullopt;
    return sqlite3_last_insert_rowid(db);
}

// The card's next schedule and the review that led to it. A retired card
// met again in its lesson is back in use.
bool saveReview(sqlite3* db, std::int64_t card, const Schedule& next, Rating rating,
                std::optional<std::int64_t> attemptId) {
    Statement update(db, "UPDATE cards SET stability = ?, difficulty = ?, last_review = ?,"
                         " due = ?, reviews = ?, lapses = ?, retired = NULL WHERE id = ?");
    update.bind(1, next.stability)
        .bind(2, next.difficulty)
        .bind(3, isoDateText(next.lastReview))
        .bind(4, isoDateText(next.due))
        .bind(5, std::int64_t{next.reviews})
        .bind(6, std::int64_t{next.lapses})
        .bind(7, card);
    Statement insert(db, "INSERT INTO reviews(card_id, attempt_id, day, rating, stability,"
                         " difficulty, due) VALUES (?, ?, ?, ?, ?, ?, ?)");
    insert.bind(1, card);
    if (attemptId)
        insert.bind(2, *attemptId);
    else
        insert.bindNull(2);
    insert.bind(3, isoDateText(next.lastReview))
        .bind(4, std::int64_t{static_cast<int>(rating)})
        .bind(5, next.stability)
        .bind(6, next.difficulty)
        .bind(7, isoDateText(next.due));
    return update.step() == SQLITE_DONE && insert.step() == SQLITE_DONE;
}

} // namespace

bool ratePlaces(sqlite3* db, std::optional<std::int64_t> attemptId, Day day,
                const std::vector<PlaceRating>& ratings) {
    for (const PlaceRating& rated : ratings) {
        std::optional<StoredCard> card = findCard(db, rated.place);
        if (card && rated.onlyWhenDue && (card->retired || card->schedule.due > day))
            continue;
        if (!card && rated.onlyWhenDue)
            continue;
        if (!card) {
            const auto id = insertCard(db, rated.place);
            if (!id)
                return false;
            card = StoredCard{*id, {}, false};
        }
        if (!saveReview(db, card->id, review(card->schedule, rated.rating, day), rated.rating,
                        attemptId))
            return false;
    }
    return true;
}

bool rateCards(sqlite3* db, std::int64_t attemptId, Day day,
               const std::vector<std::pair<std::int64_t, Rating>>& ratings) {
    for (const auto& [id, rating] : ratings) {
        const std::optional<StoredCard> card = cardById(db, id);
        if (!card || card->retired || card->schedule.due > day)
            continue; // the same review typed again, or in a second program
        if (!saveReview(db, id, review(card->schedule, rating, day), rating, attemptId))
            return false;
    }
    return true;
}

std::vector<CardPlace> dueLessonCards(sqlite3* db, const std::string& lesson, Day day) {
    // By the lesson's few cards, not by the many due ones ("+" keeps the
    // due index out of it).
    Statement select(db, "SELECT line, place, word FROM cards"
                         " WHERE +retired IS NULL AND +due <= ? AND lesson = ?");
    select.bind(1, isoDateText(day)).bind(2, lesson);
    std::vector<CardPlace> places;
    while (select.step() == SQLITE_ROW)
        places.push_back({lesson, static_cast<int>(select.integer(0)),
                          static_cast<int>(select.integer(1)),
                          fromUtf8(select.text(2)).value_or(u"")});
    return places;
}

std::vector<DueCard> dueCards(sqlite3* db, Day today) {
    Statement select(db, "SELECT id, lesson, line, place, word, due FROM cards"
                         " WHERE retired IS NULL AND due <= ? ORDER BY due, id");
    select.bind(1, isoDateText(today));
    std::vector<DueCard> due;
    while (select.step() == SQLITE_ROW)
        due.push_back(
            {select.integer(0),
             {select.text(1), static_cast<int>(select.integer(2)),
              static_cast<int>(select.integer(3)), fromUtf8(select.text(4)).value_or(u"")},
             parseIsoDate(select.text(5)).value_or(today)});
    return due;
}

size_t dueCardCount(sqlite3* db, Day today) {
    Statement select(db, "SELECT count(*) FROM cards WHERE retired IS NULL AND due <= ?");
    select.bind(1, isoDateText(today));
    return select.step() == SQLITE_ROW ? static_cast<size_t>(select.integer(0)) : 0;
}

size_t dueLineCount(sqlite3* db, Day today, size_t mostLines) {
    Statement select(db, "SELECT count(*) FROM (SELECT DISTINCT lesson, line FROM cards"
                         " WHERE retired IS NULL AND due <= ? LIMIT ?)");
    select.bind(1, isoDateText(today)).bind(2, static_cast<std::int64_t>(mostLines));
    return select.step() == SQLITE_ROW ? static_cast<size_t>(select.integer(0)) : 0;
}

std::optional<Day> nextDueDay(sqlite3* db) {
    Statement select(db, "SELECT min(due) FROM cards WHERE retired IS NULL");
    if (select.step() != SQLITE_ROW)
        return std::nullopt;
    return parseIsoDate(select.text(0));
}

bool retireCards(sqlite3* db, const std::vector<std::int64_t>& cards, Day day) {
    Statement retire(db, "UPDATE cards SET retired = ? WHERE id = ?");
    for (std::int64_t id : cards) {
        retire.bind(1, isoDateText(day)).bind(2, id);
        if (retire.step() != SQLITE_DONE)
            return false;
        retire.reset();
    }
    return true;
}
