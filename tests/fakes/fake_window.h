#pragma once

#include "core/ports.h"

#include <map>
#include <optional>
#include <string>

class FakePracticeWindow final : public PracticeWindow {
  public:
    void setCaption(FormLabel label, std::u16string_view text) override {
        captions[label] = text;
        ++captionWrites;
    }
    void setDialogCaption(DialogLabel label, std::u16string_view text) override {
        dialog[label] = text;
        dialogExists = true;
    }
    void showDialogModeless() override {
        dialogExists = true;
        ++dialogShown;
    }
    void showDialogModal() override {
        dialogExists = true;
        ++dialogShownModal;
    }
    void enableGiveUp() override { savEnabled = true; }
    void runAttemptClock(bool enabled) override { timer1 = enabled; }
    void runIdleClock(bool enabled) override { timer2 = enabled; }
    void showSwitch(MenuItem item, bool on) override { switches[item] = on; }
    bool askYesNo(std::u16string_view text, std::u16string_view title) override {
        lastQuestion = std::u16string(text) + u"|" + std::u16string(title);
        ++questions;
        return answerYes;
    }
    std::optional<std::string> chooseMusicFile() override {
        ++musicChoices;
        return nextMusicFile;
    }

    std::map<FormLabel, std::u16string> captions;
    std::map<DialogLabel, std::u16string> dialog;
    int captionWrites = 0;
    bool dialogExists = false;
    int dialogShown = 0;
    int dialogShownModal = 0;
    std::map<MenuItem, bool> switches; // as last shown; none before the first
    bool savEnabled = false;
    bool timer1 = false;
    bool timer2 = true;
    bool answerYes = true;
    int questions = 0;
    std::u16string lastQuestion;
    std::optional<std::string> nextMusicFile; // nothing: the learner cancels
    int musicChoices = 0;
};
