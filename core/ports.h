#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The small interfaces through which the practice logic drives the windows,
// players and files around it. Positions count a line break as two (CR LF).

using Pos = std::int64_t;

struct Rgb {
    std::uint8_t red, green, blue;
    friend bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kRed{255, 0, 0};

// The upper box `R1` that shows the lesson and the learner's marks in it.
class LessonBox {
  public:
    virtual ~LessonBox() = default;
    virtual const std::u16string& text() const = 0;
    virtual void setText(std::u16string text) = 0;
    // Positions past the end select nothing.
    virtual void select(Pos start, Pos length) = 0;
    virtual void setSelectionColour(Rgb colour) = 0;
    virtual void setSelectionUnderline(bool on) = 0;
    // Scrolls so that the character at a position is in view.
    virtual void reveal(Pos position) = 0;
};

// The lower box `R2` the learner types into. Program writes never run the engine;
// the learner's changes come to the practice session with the text they left.
class TypingBox {
  public:
    virtual ~TypingBox() = default;
    virtual void setText(std::u16string_view text) = 0;
    virtual void moveCaretToEnd() = 0;
};

enum class FormLabel { Label2, Label3, Label5, Label7, Label9, Label11, Label13 };
enum class DialogLabel { Label2, Label5, Label7, Label9, Label11, Label13, L3 };
// The menu items that switch a sound on and off.
enum class MenuItem { Se, Key, Music };

// The read-outs, timers and menu state of the main window and the save dialog.
class PracticeWindow {
  public:
    virtual ~PracticeWindow() = default;
    virtual void setCaption(FormLabel label, std::u16string_view text) = 0;
    // Writing a caption creates the save dialog, hidden, if it does not exist yet.
    virtual void setDialogCaption(DialogLabel label, std::u16string_view text) = 0;
    virtual void showDialogModeless() = 0;
    virtual void showDialogModal() = 0;
    // The menu item that gives an attempt up (`Sav`).
    virtual void enableGiveUp() = 0;
    // The attempt clock (`Timer1`) and the idle clock (`Timer2`).
    virtual void runAttemptClock(bool enabled) = 0;
    virtual void runIdleClock(bool enabled) = 0;
    // The switch behind a menu item is now on or off; the window words the item.
    virtual void showSwitch(MenuItem item, bool on) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(std::u16string_view text, std::u16string_view title) = 0;
    // A wave file for the background music; nothing when the learner cancels.
    virtual std::optional<std::string> chooseMusicFile() = 0;
};

// One wave-sound player (`Me1`, `Me2`, `MM3`) and its commands.
class CuePlayer {
  public:
    virtual ~CuePlayer() = default;
    virtual void close() = 0;
    virtual void setFileName(const std::string& path) = 0;
    virtual void open() = 0;
    virtual void play() = 0;
};

// The lesson recording player `WindowsMediaPlayer1`.
class MediaPlayer {
  public:
    virtual ~MediaPlayer() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual void close() = 0;
    virtual void setUrl(const std::string& path) = 0;
};

// A moment on the system clock.
using WallTime = std::chrono::system_clock::time_point;

// The local time of day of a moment, to the second.
struct TimeOfDay {
    int hour, minute, second;
    friend bool operator==(TimeOfDay, TimeOfDay) = default;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual WallTime now() const = 0;
};
