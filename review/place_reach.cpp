#include "review/place_reach.h"

#include "records/sqlite_statement.h"
#include "review/mastery_practice.h"

#include <algorithm>
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

} // namespace

std::vector<Reached> reachedPlaces(sqlite3* db, const std::vector<KanjiPlace>& places) {
    std::set<std::string> lessons;
    for (const KanjiPlace& p : places)
        lessons.insert(p.lesson);
    const Reaches reach = reachOf(db, lessons);
    std::vector<Reached> reached;
    reached.reserve(places.size());
    for (const KanjiPlace& p : places) {
        const auto r = reach.find(p.lesson);
        if (r == reach.end() || !metAt(r->second, Where(p)))
            reached.push_back(Reached::Not);
        else
            reached.push_back(producedAt(r->second, Where(p)) ? Reached::Produced : Reached::Typed);
    }
    return reached;
}
