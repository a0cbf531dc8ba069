#pragma once

#include "core/attempt_observer.h"
#include "core/utf8.h"

#include <string>
#include <vector>

// Writes every report down as a line: "loaded", "started", "right 0 a a",
// "wrong 1 b x", "back 1", "break 2", "completed", "gave up"; keeps the figures.
class RecordingObserver final : public AttemptObserver {
  public:
    void lessonLoaded(const LoadedLesson& loaded) override {
        log.push_back("loaded");
        lesson = loaded;
    }
    void started() override { log.push_back("started"); }
    void evaluated(Pos position, char16_t expected, char16_t typed, bool right) override {
        log.push_back((right ? "right " : "wrong ") + std::to_string(position) + " " +
                      toUtf8({&expected, 1}) + " " + toUtf8({&typed, 1}));
    }
    void takenBack(Pos position) override { log.push_back("back " + std::to_string(position)); }
    void lineBreak(Pos position) override { log.push_back("break " + std::to_string(position)); }
    void completed(const AttemptFigures& at) override {
        log.push_back("completed");
        figures = at;
    }
    void gaveUp(const AttemptFigures& at) override {
        log.push_back("gave up");
        figures = at;
    }

    std::vector<std::string> log;
    AttemptFigures figures;
    LoadedLesson lesson;
};
