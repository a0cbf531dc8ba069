#pragma once

#include "core/slip_finder.h"
#include "explain/classifier.h"
#include "explain/slip_alignment.h"
#include "readings/lesson_readings.h"
#include "readings/loaded_readings.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

// Latin letters where the lesson has none: typed with the input method off.
bool typedWithInputMethodOff(std::u16string_view expected, std::u16string_view typed);

// The slips of the running attempt: it takes the lesson's words, shared with
// the other features that read them, when the lesson loads, aligns what was
// typed to the lesson after every change, tells each slip's kind once, and
// keeps the slips the learner took back, corrected once their part of the
// lesson is typed right.
class SlipBook final : public SlipFinder {
  public:
    SlipBook(KanjiSources& kanji, LoadedReadings& readings)
        : m_lessonReadings(readings), m_classifier(kanji, readings.analyser()) {}

    void lessonLoaded(const LoadedLesson& lesson) override;
    void findSlips(AttemptRecord& record) override;

    Classifier& classifier() { return m_classifier; }

  private:
    Slips described(const std::vector<AlignedSlip>& found, std::size_t unchanged);
    std::size_t inputEndAfter(std::size_t at) const;
    Slip described(const AlignedSlip& aligned, const AttemptRecord::LearnerText& learner);
    Explanation kindOf(const Slip& slip);
    static std::optional<std::u16string> preeditOf(const AlignedSlip& aligned,
                                                   const AttemptRecord::LearnerText& learner);
    void keepTakenBack(const Slips& live, std::size_t typedLength);
    void addTakenBack(Slips& slips, Pos reached);
    int lineOf(Pos position) const;

    LoadedReadings& m_lessonReadings;
    Classifier m_classifier;
    std::u16string m_lesson;
    LessonReadings m_readings;
    std::vector<Pos> m_lineStarts;
    SlipAligner m_aligner;
    std::u16string m_typed;               // the record's typed text at the last change
    AttemptRecord::LearnerText m_learner; // and what the learner typed of it
    std::vector<AlignedSlip> m_aligned;   // as the last alignment found them
    Slips m_live;                         // and as they were described
    std::map<Pos, Slip> m_takenBack;      // by start
    std::map<std::tuple<std::u16string, std::u16string, std::u16string>, Explanation> m_kinds;
};

// The slips of an attempt whose typed text is known only as it was left (a
// journal written before slips were kept): what was typed, character by
// character, aligned to the lesson.
Slips slipsOfTypedText(SlipBook& book, const LoadedLesson& lesson, std::u16string typed);
