#pragma once

#include "core/practice_session.h"

#include <string>

// A practice session with no window: the boxes hold their texts, everything
// else the session drives does nothing. The lesson tool replays typing on it
// exactly as the window's session takes it.
class HeadlessPractice {
  public:
    HeadlessPractice();
    PracticeSession& session() { return m_session; }
    // What the typing box holds now, line breaks CR LF.
    std::u16string& typed() { return m_typing.text; }
    // Tells the session that the learner changed the typing box.
    void typedChanged() { m_session.typedTextChanged(m_typing.text); }

  private:
    struct Lesson final : LessonBox {
        std::u16string text_;
        const std::u16string& text() const override { return text_; }
        void setText(std::u16string text) override { text_ = std::move(text); }
        void select(Pos, Pos) override {}
        void setSelectionColour(Rgb) override {}
        void setSelectionUnderline(bool) override {}
        void reveal(Pos) override {}
    };
    struct Typing final : TypingBox {
        std::u16string text;
        void setText(std::u16string_view now) override { text = now; }
        void moveCaretToEnd() override {}
    };
    struct Window final : PracticeWindow {
        void setCaption(FormLabel, std::u16string_view) override {}
        void setDialogCaption(DialogLabel, std::u16string_view) override {}
        void showDialogModeless() override {}
        void showDialogModal() override {}
        void enableGiveUp() override {}
        void runAttemptClock(bool) override {}
        void runIdleClock(bool) override {}
        void showSwitch(MenuItem, bool) override {}
        bool askYesNo(std::u16string_view, std::u16string_view) override { return true; }
        std::optional<std::string> chooseMusicFile() override { return std::nullopt; }
    };
    struct Player final : CuePlayer {
        void close() override {}
        void setFileName(const std::string&) override {}
        void open() override {}
        void play() override {}
    };
    struct Media final : MediaPlayer {
        void setEnabled(bool) override {}
        void close() override {}
        void setUrl(const std::string&) override {}
    };
    struct StoppedClock final : Clock {
        WallTime now() const override { return {}; }
    };

    Lesson m_lesson;
    Typing m_typing;
    Window m_window;
    Player m_cues, m_music, m_click;
    Media m_media;
    StoppedClock m_clock;
    PracticeSession m_session;
};
