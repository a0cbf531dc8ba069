#include "review/mastery.h"

#include "core/lesson_catalogue.h"
#include "core/utf8.h"
#include "records/sqlite_statement.h"
#include "review/iso_time.h"
#include "review/mastery_practice.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <set>
#include <unordered_map>

namespace {

constexpr Pos kWhole = std::numeric_limits<Pos>::max();

struct Span {
    Pos start = 0;
    Pos length = 0;
    bool holds(Pos position) const { return position >= start && position < start + length; }
};

// An attempt's figures count the characters typed, line breaks left out: a
// place on line n has 2 (n - 1) positions of line breaks before it.
struct Where {
    Pos position = 0;
    Pos character = 0;
    explicit Where(const KanjiPlace& p)
        : position(p.position), character(p.position - 2 * (p.line - 1)) {}
};

// A stretch of a lesson that an attempt with the kanji hidden reached (up to
// a number of characters), with the slips it made there (in lesson
// positions, by start).
struct Reach {
    Span reached;
    std::vector<Span> slips;
    Pos characters = kWhole;
};

struct LessonReach {
    Pos furthest = 0;            // characters, of the attempts on the lesson itself
    std::vector<Span> practised; // its lines typed in a practice of kanji not held
    std::vector<Reach> hidden;
};

// An attempt made with the kanji hidden, in its own lesson's positions.
struct HiddenAttempt {
    std::string lesson;
    Pos end = 0;
    std::vector<Span> slips;
};

using Reaches = std::unordered_map<std::string, LessonReach>;
using PracticeNames = std::unordered_map<std::string, std::optional<std::vector<PracticeLine>>>;

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

const std::optional<std::vector<PracticeLine>>& practiceOf(PracticeNames& names,
                                                           const std::string& lesson) {
    const auto found = names.find(lesson);
    if (found != names.end())
        return found->second;
    return names.emplace(lesson, practiceLinesOf(lesson)).first->second;
}

// The part of a practice line that an attempt reaching `end` characters into
// the practice covered, in the line's lesson.
Span reachedPart(const std::vector<PracticeLine>& lines, const PracticeLine& line, Pos end) {
    Pos before = 0;
    for (const PracticeLine& l : lines) {
        if (&l == &line)
            break;
        before += l.length;
    }
    return {line.start, std::clamp<Pos>(end - before, 0, line.length)};
}

// Lesson by lesson, how far the attempts reached; attempts of a practice of
// kanji not held count for the lines they took.
std::unordered_map<std::int64_t, HiddenAttempt> readAttempts(sqlite3* db,
                                                             const std::set<std::string>& lessons,
                                                             Reaches& reach, PracticeNames& names) {
    std::unordered_map<std::int64_t, HiddenAttempt> hidden;
    Statement attempts(db, "SELECT id, lesson, mode <> 'text', completed, total FROM attempts");
    while (attempts.step() == SQLITE_ROW) {
        const std::string lesson = attempts.text(1);
        const Pos end = attempts.integer(3) ? kWhole : attempts.integer(4);
        const auto& practice = lessons.contains(lesson) ? std::nullopt : practiceOf(names, lesson);
        if (practice) {
            for (const PracticeLine& line : *practice)
                if (lessons.contains(line.lesson))
                    reach[line.lesson].practised.push_back(reachedPart(*practice, line, end));
        } else if (lessons.contains(lesson)) {
            reach[lesson].furthest = std::max(reach[lesson].furthest, end);
        } else {
            continue;
        }
        if (attempts.integer(2))
            hidden[attempts.integer(0)] = {lesson, end, {}};
    }
    return hidden;
}

void readHiddenSlips(sqlite3* db, std::unordered_map<std::int64_t, HiddenAttempt>& hidden) {
    Statement slips(db, "SELECT m.attempt_id, m.position, length(m.expected) FROM attempts a"
                        " JOIN mistakes m ON m.attempt_id = a.id WHERE a.mode <> 'text'"
                        " ORDER BY m.attempt_id, m.position");
    while (slips.step() == SQLITE_ROW)
        if (const auto found = hidden.find(slips.integer(0)); found != hidden.end())
            found->second.slips.push_back({slips.integer(1), slips.integer(2)});
}

// A practice's slips on one of its lines, in the line's lesson.
std::vector<Span> slipsOnLine(const std::vector<PracticeLine>& lines, const PracticeLine& line,
                              const std::vector<Span>& slips) {
    std::vector<Span> onLine;
    for (const Span& slip : slips)
        if (const auto at = lessonPositionOf(lines, slip.start); at && at->line == &line)
            onLine.push_back({at->position, slip.length});
    return onLine;
}

Reaches reachOf(sqlite3* db, const std::set<std::string>& lessons) {
    Reaches reach;
    PracticeNames names;
    auto hidden = readAttempts(db, lessons, reach, names);
    if (hidden.empty())
        return reach;
    readHiddenSlips(db, hidden);
    for (auto& [id, attempt] : hidden) {
        const auto& practice = practiceOf(names, attempt.lesson);
        if (!practice) {
            reach[attempt.lesson].hidden.push_back(
                {{0, kWhole}, std::move(attempt.slips), attempt.end});
            continue;
        }
        for (const PracticeLine& line : *practice)
            if (lessons.contains(line.lesson))
                reach[line.lesson].hidden.push_back({reachedPart(*practice, line, attempt.end),
                                                     slipsOnLine(*practice, line, attempt.slips)});
    }
    return reach;
}

bool slipCovers(const std::vector<Span>& slips, Pos position) {
    const auto after = std::upper_bound(slips.begin(), slips.end(), position,
                                        [](Pos p, const Span& s) { return p < s.start; });
    return std::any_of(slips.begin(), after,
                       [&](const Span& s) { return position < s.start + s.length; });
}

bool metAt(const LessonReach& reach, Where at) {
    return at.character < reach.furthest ||
           std::any_of(reach.practised.begin(), reach.practised.end(),
                       [&](const Span& span) { return span.holds(at.position); });
}

bool producedAt(const LessonReach& reach, Where at) {
    return std::any_of(reach.hidden.begin(), reach.hidden.end(), [&](const Reach& attempt) {
        return attempt.reached.holds(at.position) && at.character < attempt.characters &&
               !slipCovers(attempt.slips, at.position);
    });
}

void readReach(sqlite3* db, const std::vector<KanjiPlace>& places,
               std::unordered_map<char16_t, KanjiState*>& where) {
    std::set<std::string> lessons;
    for (const KanjiPlace& p : places)
        lessons.insert(p.lesson);
    const auto reach = reachOf(db, lessons);
    for (const KanjiPlace& p : places) {
        const auto r = reach.find(p.lesson);
        KanjiState& state = *where.at(p.kanji);
        if (r == reach.end() || state.hold >= Hold::Produced || !metAt(r->second, Where(p)))
            continue;
        state.hold = producedAt(r->second, Where(p)) ? Hold::Produced : Hold::Met;
    }
}

// Slips are written attempt by attempt, so the latest of a kanji is the one
// written last: its row id comes from the index of expected parts alone.
void readSlips(sqlite3* db, std::unordered_map<char16_t, KanjiState*>& where,
               std::map<char16_t, std::vector<std::string>>& texts) {
    Statement select(db, "SELECT expected, max(rowid) FROM mistakes GROUP BY expected");
    std::map<char16_t, std::int64_t> lastRow;
    while (select.step() == SQLITE_ROW) {
        const std::string expected = select.text(0);
        const std::u16string characters = fromUtf8(expected).value_or(u"");
        for (char16_t c : std::set<char16_t>(characters.begin(), characters.end())) {
            if (!where.contains(c))
                continue;
            texts[c].push_back(expected);
            std::int64_t& last = lastRow[c];
            last = std::max(last, select.integer(1));
        }
    }
    Statement day(db, "SELECT a.ended_at FROM mistakes m JOIN attempts a ON a.id = m.attempt_id"
                      " WHERE m.rowid = ?");
    for (const auto& [kanji, row] : lastRow) {
        day.reset();
        day.bind(1, row);
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
