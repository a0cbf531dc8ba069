#include "ui/learners/learner_start.h"

#include "ui/user_settings.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

LearnerRoster loadOrBegin(const std::string& file) {
    LearnerRoster roster = LearnerRoster::load(file);
    if (roster.learners().empty())
        roster.add(kFirstLearnerName);
    return roster;
}

} // namespace

std::optional<LearnerAtKeyboard> learnerForThisRun(const std::string& dataFolder,
                                                   const std::optional<std::string>& named,
                                                   const AskLearner& ask) {
    const std::string file = learnerRosterFile(dataFolder);
    LearnerRoster roster = loadOrBegin(file);
    LearnerAtKeyboard at;
    if (named && !cleanLearnerName(*named).empty()) {
        const Learner* known = roster.findByName(cleanLearnerName(*named));
        at = {known ? *known : roster.add(*named), true};
    } else if (roster.learners().size() > 1) {
        const auto id = ask(roster);
        if (!id || !roster.find(*id))
            return std::nullopt;
        at = {*roster.find(*id), true};
    } else {
        at = {roster.learners().front(), false};
    }
    roster.setLast(at.learner.id);
    std::error_code ignored; // a failure shows as the save's
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ignored);
    if (const auto error = roster.save(file))
        std::fprintf(stderr, "orvanta: the learners could not be kept in %s: %s\n", file.c_str(),
                     std::strerror(*error));
    return at;
}

void useLearnerSettings(const Learner& learner) {
    learnerSettingsGroup() =
        learner.id == "1" ? QString()
                          : QStringLiteral("learner-%1/").arg(QString::fromStdString(learner.id));
}
