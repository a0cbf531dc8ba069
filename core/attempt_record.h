#pragma once

#include "core/attempt_observer.h"
#include "core/loaded_lesson.h"
#include "core/practice_mode.h"
#include "core/slip.h"

#include <optional>
#include <string>
#include <vector>

// One step of the learner's typing, as the typing box showed it.
struct TypedEvent {
    enum class Kind { Commit, Key, LineBreak, TakeBack };
    Kind kind = Kind::Commit;
    std::u16string text;                   // what was added; empty for a take-back
    std::optional<std::u16string> reading; // the kana typed for a commit, when known
    Pos count = 0;                         // characters taken back
    friend bool operator==(const TypedEvent&, const TypedEvent&) = default;
};

// A stretch of the typed text that came in one step: a commit, a key or a
// line break. Slips never cut one in two where it runs on past the lesson.
struct TypedInput {
    std::size_t end = 0; // in the typed text
    std::optional<std::u16string> reading;
    friend bool operator==(const TypedInput&, const TypedInput&) = default;
};

// One attempt kept as one record: its lesson, decided when it loaded; the
// mode it is practised in; every step the learner typed, in order; the typed
// text as it stands, cut into the inputs it came in; and the slips found by
// aligning that text to the lesson. Every feature that teaches reads the
// slips here instead of following positions of its own.
struct AttemptRecord {
    LoadedLesson lesson;
    PracticeMode mode = PracticeMode::Text;
    std::vector<TypedEvent> events;
    std::u16string typed; // line breaks CR LF, in the lesson's code page
    std::vector<TypedInput> inputs;
    // Where line breaks the program entered for the learner stand in `typed`
    // (a key or a commit at a line end), in order.
    std::vector<std::size_t> enteredBreaks;
    Slips slips;                           // in lesson order, corrected ones included
    Pos reached = 0;                       // the lesson position what was typed has reached
    std::optional<AttemptFigures> figures; // once it ended

    // Starts the record of a fresh attempt on `loaded`.
    void begin(const LoadedLesson& loaded, PracticeMode practisedIn);
    // The typed text is now `now`: what was taken from its end and what was
    // added are kept as events. `learnerAdded` is what the learner added
    // before the program entered line breaks in it; `reading` the kana typed for it.
    void typedNow(std::u16string now, std::u16string_view learnerAdded,
                  std::optional<std::u16string> reading);
    // The mode the lesson is shown in from now on. An attempt is practised in
    // the mode it started in, and counts as text once its text was shown.
    void modeNow(PracticeMode shown);
    // What the learner typed: the typed text without the line breaks the
    // program entered, with the ends of its inputs there.
    struct LearnerText {
        std::u16string text;
        std::vector<TypedInput> inputs;
    };
    // Brings `learner` up to date: it was the learner's text while the typed
    // text agreed with today's up to `kept` (empty: from 0). Only what follows
    // is done again; the learner text before the returned position is as it was.
    std::size_t updateLearnerText(LearnerText& learner, std::size_t kept) const;
    // The length of the learner's text.
    std::size_t learnerLength() const;
    // The lesson characters the marks show wrong that lie in no slip left:
    // they only stand moved by one.
    Pos shiftedCharacters() const;
    // The earliest slip standing in the typed text, if any.
    const Slip* rootSlip() const;

  private:
    void noteEnteredBreaks(std::size_t at, std::u16string_view added,
                           std::u16string_view learnerAdded);
};
