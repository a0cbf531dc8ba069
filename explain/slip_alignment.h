#pragma once

#include "core/attempt_record.h"
#include "readings/lesson_readings.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A stretch of the lesson and the stretch of the typed text that stood in its
// place; either may be empty (a skip, an extra input).
struct AlignedSlip {
    std::size_t lessonStart = 0;
    std::size_t lessonEnd = 0;
    std::size_t typedStart = 0;
    std::size_t typedEnd = 0;
    friend bool operator==(const AlignedSlip&, const AlignedSlip&) = default;
};

struct Alignment {
    std::vector<AlignedSlip> slips; // in order
    std::size_t reached = 0;        // the lesson position the typed text reached
};

// Aligns what was typed to the lesson, left to right: where they part, the
// nearest place where they run together again is taken (an input the
// learner committed past the lesson's word is kept whole, and a commit that
// reads as the lesson's words ends where they end), so that a commit longer
// or shorter than its word is one slip and what follows realigns. A run of
// Latin letters is one slip. Slips are widened to the lesson's whole words,
// okurigana included. After a change only the stretch from the last place it
// cannot have touched is aligned again.
class SlipAligner {
  public:
    void lessonLoaded(std::u16string lesson, const LessonReadings* readings);
    Alignment align(std::u16string_view typed, const std::vector<TypedInput>& inputs);

  private:
    struct Resync {
        std::size_t lesson;
        std::size_t typed;
    };
    struct Checkpoint {
        std::size_t lesson, typed, horizon, slips;
    };

    void keepInputs(const std::vector<TypedInput>& inputs, std::size_t changed);
    void restartFrom(std::size_t changedAt);
    void walk();
    Resync resync(std::size_t i, std::size_t j);
    std::optional<Resync> nearestRunTogether(std::size_t i, std::size_t j);
    Resync latinRun(std::size_t i, std::size_t j);
    std::optional<std::size_t> readAsRomaji(std::size_t i, std::u16string_view letters) const;
    Resync tail(std::size_t i, std::size_t j) const;
    bool isCutShortFarOff(std::size_t i, std::size_t j, std::size_t r, std::size_t q) const;
    bool runTogether(std::size_t r, std::size_t q) const;
    bool isLessonBreakSkipped(std::size_t i, std::size_t j) const;
    std::vector<AlignedSlip> splitAtMatches(const AlignedSlip& stretch) const;
    AlignedSlip widened(AlignedSlip slip) const;
    AlignedSlip toCommitEnd(AlignedSlip slip) const;
    std::size_t inputEndAfter(std::size_t j) const;
    std::optional<std::u16string> readingOfTail(std::size_t j) const;
    std::size_t lineEnd(std::size_t i, std::size_t limit) const;

    std::u16string m_lesson;
    const LessonReadings* m_readings = nullptr;
    std::u16string m_typed;
    std::vector<TypedInput> m_inputs;
    std::vector<Checkpoint> m_checkpoints;
    Alignment m_alignment;
    std::size_t m_i = 0, m_j = 0, m_horizon = 0;
};

// The reading of lesson[start, end) from its words and kana, if it is made of whole ones.
std::optional<std::u16string> readingOfStretch(std::u16string_view lesson,
                                               const LessonReadings& readings, std::size_t start,
                                               std::size_t end);
