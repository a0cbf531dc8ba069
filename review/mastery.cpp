#include "review/mastery.h"

#include "core/lesson_catalogue.h"
#include "core/utf8.h"
#include "records/sqlite_statement.h"
#include "review/iso_time.h"
#include "review/place_reach.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <unordered_map>

namespace {

int courseLessonNumber(const std::string& lesson) {
    return catalogueEntry(lesson) ? std::stoi(lesson.substr(1, 2)) : 0;
}

std::u16string groupTitle(const std::string& lesson) {
    if (const int n = courseLessonNumber(lesson))
        return u"第" + chineseNumeral(n) + u"课";
    return fromUtf8(std::filesystem::path(lesson).stem().string()).value_or(u"?");
}

std::string groupKey(const std::string& lesson) {
    const int n = courseLessonNumber(lesson);
    return n ? "course " + std::to_string(n) : lesson;
}

// The groups in the order their lessons first come, each kanji in the group
// of its first place; `where` finds a kanji's state.
std::vector<MasteryGroup> groupsOf(const std::vector<KanjiPlace>& places,
                                   std::unordered_map<char16_t, KanjiState*>& where) {
    std::vector<MasteryGroup> groups;
    std::unordered_map<std::string, size_t> byKey;
    std::set<char16_t> seen;
    for (const KanjiPlace& p : places) {
        const auto [at, added] = byKey.try_emplace(groupKey(p.lesson), groups.size());
        if (added) {
            const int n = courseLessonNumber(p.lesson);
            groups.push_back(
                {groupTitle(p.lesson), {}, n == 0 ? 0 : (n <= kLessonCount / 2 ? 1 : 2), {}});
        }
        MasteryGroup& group = groups[at->second];
        if (std::find(group.lessons.begin(), group.lessons.end(), p.lesson) == group.lessons.end())
            group.lessons.push_back(p.lesson);
        if (seen.insert(p.kanji).second)
            group.kanji.push_back({p.kanji, Hold::NotMet, std::nullopt, std::nullopt});
    }
    // A lesson of one's own that brings no kanji of its own shows no group.
    std::erase_if(groups, [](const MasteryGroup& g) { return g.volume == 0 && g.kanji.empty(); });
    for (MasteryGroup& group : groups)
        for (KanjiState& state : group.kanji)
            where[state.kanji] = &state;
    return groups;
}

void readReach(sqlite3* db, const std::vector<KanjiPlace>& places,
               std::unordered_map<char16_t, KanjiState*>& where) {
    const std::vector<Reached> reached = reachedPlaces(db, places);
    for (size_t i = 0; i < places.size(); ++i) {
        const Hold hold = reached[i] == Reached::Produced ? Hold::Produced
                          : reached[i] == Reached::Typed  ? Hold::Met
                                                          : Hold::NotMet;
        Hold& state = where.at(places[i].kanji)->hold;
        state = std::max(state, hold);
    }
}

void readSlips(sqlite3* db, std::unordered_map<char16_t, KanjiState*>& where,
               std::map<char16_t, std::vector<std::string>>& texts) {
    Statement select(db, "SELECT expected, max(attempt_id) FROM mistakes GROUP BY expected");
    std::map<char16_t, std::int64_t> lastAttempt;
    while (select.step() == SQLITE_ROW) {
        const std::string expected = select.text(0);
        const std::u16string characters = fromUtf8(expected).value_or(u"");
        for (char16_t c : std::set<char16_t>(characters.begin(), characters.end())) {
            if (!where.contains(c))
                continue;
            texts[c].push_back(expected);
            std::int64_t& last = lastAttempt[c];
            last = std::max(last, select.integer(1));
        }
    }
    Statement day(db, "SELECT ended_at FROM attempts WHERE id = ?");
    for (const auto& [kanji, attempt] : lastAttempt) {
        day.reset();
        day.bind(1, attempt);
        if (day.step() == SQLITE_ROW)
            where[kanji]->lastSlip = parseIsoDate(day.text(0));
    }
}

void readCards(sqlite3* db, std::unordered_map<char16_t, KanjiState*>& where) {
    Statement select(db, "SELECT word, stability, reviews, due FROM cards WHERE retired IS NULL");
    std::unordered_map<char16_t, bool> allHeld;
    while (select.step() == SQLITE_ROW) {
        const std::u16string word = fromUtf8(select.text(0)).value_or(u"");
        const bool held = select.real(1) >= kHeldStability && select.integer(2) > 1;
        const std::optional<Day> due = parseIsoDate(select.text(3));
        for (char16_t c : word) {
            const auto found = where.find(c);
            if (found == where.end())
                continue;
            auto [all, first] = allHeld.try_emplace(c, held);
            all->second = all->second && held;
            std::optional<Day>& next = found->second->nextReview;
            if (due && (!next || *due < *next))
                next = due;
        }
    }
    for (const auto& [kanji, held] : allHeld)
        if (held)
            where[kanji]->hold = Hold::Held;
}

} // namespace

MasteryTotals& MasteryTotals::operator+=(const MasteryTotals& other) {
    total += other.total;
    covered += other.covered;
    held += other.held;
    return *this;
}

MasteryTotals totalsOf(const MasteryGroup& group) {
    MasteryTotals totals;
    for (const KanjiState& k : group.kanji) {
        ++totals.total;
        totals.covered += k.hold != Hold::NotMet;
        totals.held += k.hold == Hold::Held;
    }
    return totals;
}

Mastery readMastery(sqlite3* db, const std::vector<KanjiPlace>& places) {
    Mastery mastery;
    std::unordered_map<char16_t, KanjiState*> where;
    mastery.groups = groupsOf(places, where);
    if (!db) // without a journal every kanji is shown as not met yet
        return mastery;
    readReach(db, places, where);
    readSlips(db, where, mastery.slipTexts);
    readCards(db, where);
    return mastery;
}

std::vector<SeenSlip> lastSlips(sqlite3* db, const std::vector<std::string>& expectedTexts,
                                size_t most) {
    std::vector<std::pair<std::int64_t, SeenSlip>> found;
    Statement select(db, "SELECT m.attempt_id, m.expected, m.typed, m.kind, a.ended_at"
                         " FROM mistakes m JOIN attempts a ON a.id = m.attempt_id"
                         " WHERE m.expected = ? ORDER BY m.attempt_id DESC LIMIT ?");
    for (const std::string& expected : expectedTexts) {
        select.reset();
        select.bind(1, expected).bind(2, static_cast<std::int64_t>(most));
        while (select.step() == SQLITE_ROW)
            found.push_back(
                {select.integer(0),
                 {fromUtf8(select.text(1)).value_or(u""), fromUtf8(select.text(2)).value_or(u""),
                  select.text(3), parseIsoDate(select.text(4)).value_or(0)}});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<SeenSlip> slips;
    for (size_t i = 0; i < found.size() && i < most; ++i)
        slips.push_back(std::move(found[i].second));
    return slips;
}
