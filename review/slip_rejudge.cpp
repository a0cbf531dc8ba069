#include "review/slip_rejudge.h"

#include "core/utf8.h"
#include "records/journal.h"
#include "records/sqlite_statement.h"
#include "review/card_place.h"
#include "review/iso_time.h"

#include <algorithm>
#include <map>

namespace {

struct OldMistake {
    Pos position;
    std::u16string expected, typed;
    MistakeNote note;
    bool corrected;
};

struct PastAttempt {
    std::int64_t id;
    std::string lesson;
    bool completed;
    Pos total;
};

std::u16string utf16(const std::string& text) {
    return fromUtf8(text).value_or(u"");
}

std::vector<PastAttempt> attemptsUpTo(sqlite3* db, std::int64_t last) {
    Statement select(db,
                     "SELECT id, lesson, completed, total FROM attempts WHERE id <= ? ORDER BY id");
    select.bind(1, last);
    std::vector<PastAttempt> attempts;
    while (select.step() == SQLITE_ROW)
        attempts.push_back(
            {select.integer(0), select.text(1), select.integer(2) != 0, select.integer(3)});
    return attempts;
}

std::vector<OldMistake> mistakesOf(sqlite3* db, std::int64_t attempt) {
    Statement select(
        db, "SELECT position, expected, typed, COALESCE(kind, ''), COALESCE(detail, ''),"
            " COALESCE(corrected, 0) FROM mistakes WHERE attempt_id = ? ORDER BY position");
    select.bind(1, attempt);
    std::vector<OldMistake> mistakes;
    while (select.step() == SQLITE_ROW)
        mistakes.push_back({select.integer(0),
                            utf16(select.text(1)),
                            utf16(select.text(2)),
                            {select.text(3), select.text(4)},
                            select.integer(5) != 0});
    return mistakes;
}

// The typed text as the attempt left it: the lesson's characters up to where
// it ended, with the wrong characters that stayed in their places.
std::u16string typedText(const std::u16string& text, const PastAttempt& attempt,
                         const std::vector<OldMistake>& mistakes) {
    std::size_t end = text.size();
    if (!attempt.completed) {
        Pos counted = 0;
        for (end = 0; end < text.size() && counted < attempt.total; ++end)
            counted += text[end] != u'\r' && text[end] != u'\n';
    }
    std::u16string typed = text.substr(0, end);
    for (const OldMistake& m : mistakes)
        if (!m.corrected && m.position >= 0 && static_cast<std::size_t>(m.position) < end &&
            m.typed.size() == 1)
            typed[static_cast<std::size_t>(m.position)] = m.typed[0];
    return typed;
}

// Mistakes taken back and typed right later: one slip a run of neighbours.
std::vector<JournalMistake> correctedRuns(const std::u16string& text,
                                          const std::vector<OldMistake>& mistakes) {
    std::vector<JournalMistake> runs;
    for (const OldMistake& m : mistakes) {
        if (!m.corrected || m.note.detail == kShifted)
            continue;
        JournalMistake* last = runs.empty() ? nullptr : &runs.back();
        if (last && last->position + std::ssize(last->expected) == m.position) {
            last->expected += m.expected;
            last->typed += m.typed;
        } else {
            const Pos lineStarts = std::count(
                text.begin(), text.begin() + std::min<Pos>(m.position, std::ssize(text)), u'\n');
            runs.push_back({m.position, m.expected, m.typed, m.note, std::nullopt, true,
                            static_cast<int>(lineStarts + 1)});
        }
    }
    // Letters typed with the input method off and taken back were no slip of
    // the lesson's words; the older journal named them 其他.
    for (JournalMistake& run : runs)
        if (typedWithInputMethodOff(run.expected, run.typed))
            run.note = {kindName(MistakeKind::InputMethodOff), ""};
    return runs;
}

std::vector<JournalMistake> asMistakes(const Slips& slips) {
    std::vector<JournalMistake> mistakes;
    for (const Slip& slip : slips)
        mistakes.push_back({slip.start,
                            slip.expected,
                            slip.typed,
                            {kindName(slip.explanation.kind), slip.explanation.detail},
                            slip.preedit,
                            slip.corrected,
                            slip.line});
    return mistakes;
}

bool replaceMistakes(sqlite3* db, std::int64_t attempt, std::vector<JournalMistake> mistakes,
                     Pos shifted) {
    std::sort(
        mistakes.begin(), mistakes.end(),
        [](const JournalMistake& a, const JournalMistake& b) { return a.position < b.position; });
    Statement remove(db, "DELETE FROM mistakes WHERE attempt_id = ?");
    remove.bind(1, attempt);
    Statement count(db, "UPDATE attempts SET shifted = ? WHERE id = ?");
    count.bind(1, shifted).bind(2, attempt);
    return remove.step() == SQLITE_DONE && insertMistakes(db, attempt, mistakes) &&
           count.step() == SQLITE_DONE;
}

// An attempt whose lesson is gone keeps its mistakes, less the moved ones,
// and letters typed with the input method off are named so.
bool keepWithoutLesson(sqlite3* db, std::int64_t attempt) {
    Statement moved(db, "DELETE FROM mistakes WHERE attempt_id = ? AND detail = '错位'");
    moved.bind(1, attempt);
    Statement latin(db, "UPDATE mistakes SET kind = '输入法未开', detail = NULL"
                        " WHERE attempt_id = ? AND typed GLOB '[A-Za-z]'");
    latin.bind(1, attempt);
    return moved.step() == SQLITE_DONE && latin.step() == SQLITE_DONE;
}

struct Judged {
    std::u16string text;
    std::vector<std::pair<Pos, Pos>> slipped; // lesson stretches a real slip touched
};

bool isRealSlip(const JournalMistake& m) {
    return m.note.kind != kindName(MistakeKind::Extra) &&
           m.note.kind != kindName(MistakeKind::InputMethodOff);
}

// Cards whose word no real slip of its lesson touches were made by moved
// characters only: they retire.
std::optional<std::int64_t>
retireUnslipped(sqlite3* db, const std::map<std::string, Judged>& judged, Day today) {
    Statement select(db, "SELECT id, lesson, line, place, word FROM cards WHERE retired IS NULL");
    Statement retire(db, "UPDATE cards SET retired = ? WHERE id = ?");
    std::int64_t retired = 0;
    while (select.step() == SQLITE_ROW) {
        const auto lesson = judged.find(select.text(1));
        if (lesson == judged.end())
            continue;
        const CardPlace place{select.text(1), static_cast<int>(select.integer(2)),
                              static_cast<int>(select.integer(3)), utf16(select.text(4))};
        const auto span = spanOf(lesson->second.text, place);
        if (!span)
            continue;
        const bool slipped = std::any_of(
            lesson->second.slipped.begin(), lesson->second.slipped.end(), [&](const auto& s) {
                return s.first < span->start + span->length && span->start < s.second;
            });
        if (slipped)
            continue;
        retire.bind(1, isoDateText(today)).bind(2, select.integer(0));
        if (retire.step() != SQLITE_DONE)
            return std::nullopt;
        retire.reset();
        ++retired;
    }
    return retired;
}

bool rejudgeAll(sqlite3* db, std::int64_t last, LenderLessons& lessons, SlipBook& book, Day today,
                Rejudged& done) {
    std::map<std::string, Judged> judged;
    for (const PastAttempt& attempt : attemptsUpTo(db, last)) {
        const auto lesson = lessons.read(attempt.lesson);
        const std::vector<OldMistake> old = mistakesOf(db, attempt.id);
        done.mistakesBefore += std::ssize(old);
        if (!lesson) {
            if (!keepWithoutLesson(db, attempt.id))
                return false;
            continue;
        }
        LoadedLesson loaded;
        loaded.text = lesson->text;
        AttemptRecord record;
        record.lesson = loaded;
        record.typed = typedText(lesson->text, attempt, old);
        record.slips = slipsOfTypedText(book, loaded, record.typed);
        std::vector<JournalMistake> slips = asMistakes(record.slips);
        for (JournalMistake& run : correctedRuns(lesson->text, old))
            slips.push_back(std::move(run));
        Judged& of = judged[attempt.lesson];
        of.text = lesson->text;
        for (const JournalMistake& m : slips)
            if (isRealSlip(m)) {
                const WrongPart wrong = wrongPartOf(m.position, m.expected, m.typed);
                of.slipped.emplace_back(wrong.first, std::max(wrong.last, wrong.first + 1));
            }
        done.slipsAfter += std::ssize(slips);
        ++done.attempts;
        if (!replaceMistakes(db, attempt.id, std::move(slips), record.shiftedCharacters()))
            return false;
    }
    const auto retired = retireUnslipped(db, judged, today);
    if (!retired)
        return false;
    done.cardsRetired = *retired;
    return execute(db, "DELETE FROM slip_rejudge") == SQLITE_OK;
}

} // namespace

std::optional<Rejudged> rejudgeSlips(sqlite3* db, LenderLessons& lessons, SlipBook& book,
                                     Day today) {
    if (execute(db, "BEGIN IMMEDIATE") != SQLITE_OK)
        return std::nullopt;
    Statement pending(db, "SELECT last_attempt FROM slip_rejudge");
    const bool due = pending.step() == SQLITE_ROW;
    const std::int64_t last = due ? pending.integer(0) : 0;
    pending.reset();
    Rejudged done;
    if ((due && !rejudgeAll(db, last, lessons, book, today, done)) ||
        execute(db, "COMMIT") != SQLITE_OK) {
        execute(db, "ROLLBACK");
        return std::nullopt;
    }
    return done;
}
