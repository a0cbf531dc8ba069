#pragma once

#include "core/ports.h"

class ClockTimers;
class Prompts;
class QWidget;
class ScoreKeeper;
struct MainControls;
struct MainMenu;

// The main window as the practice session drives it: the read-outs, the save
// dialog's figures, the menu items, the two clock timers and the questions.
class PracticeWindowPort final : public PracticeWindow {
  public:
    PracticeWindowPort(QWidget* window, const MainControls& controls, const MainMenu& menu,
                       ClockTimers& timers, ScoreKeeper& scores, Prompts& prompts)
        : m_window(window), m_controls(controls), m_menu(menu), m_timers(timers), m_scores(scores),
          m_prompts(prompts) {}

    void setCaption(FormLabel label, std::u16string_view text) override;
    void setDialogCaption(DialogLabel label, std::u16string_view text) override;
    void showDialogModeless() override;
    void showDialogModal() override;
    void enableGiveUp() override;
    void runAttemptClock(bool enabled) override;
    void runIdleClock(bool enabled) override;
    void showSwitch(MenuItem item, bool on) override;
    bool askYesNo(std::u16string_view text, std::u16string_view title) override;
    std::optional<std::string> chooseMusicFile() override;

  private:
    QWidget* m_window;
    const MainControls& m_controls;
    const MainMenu& m_menu;
    ClockTimers& m_timers;
    ScoreKeeper& m_scores;
    Prompts& m_prompts;
};
