#pragma once

#include "core/learners.h"

#include <functional>
#include <optional>
#include <string>

// Who practises in this run of the program, and whether someone chose them
// (the chooser, the command line or the 学习者 menu): only a chosen learner's
// name is offered when a score is saved.
struct LearnerAtKeyboard {
    Learner learner;
    bool chosen = false;
};

// Asks which learner of the roster practises; nothing to end the program.
using AskLearner = std::function<std::optional<std::string>(const LearnerRoster&)>;

// The learner of this run, from the roster in `dataFolder`: the one `named`
// on the command line (made when unknown), else the one `ask` picks when
// there are several, else the only one. A PC without a roster gets one whose
// first learner owns the data kept so far. The roster remembers who practised.
std::optional<LearnerAtKeyboard> learnerForThisRun(const std::string& dataFolder,
                                                   const std::optional<std::string>& named,
                                                   const AskLearner& ask);

// Makes the learner's preferences the ones the program reads and writes.
void useLearnerSettings(const Learner& learner);

// The name of the first learner of a PC, made when learners were first kept.
inline constexpr const char* kFirstLearnerName = "学习者 1";
