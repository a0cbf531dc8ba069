#pragma once

#include "core/practice_session.h"
#include "tests/fakes/fake_boxes.h"
#include "tests/fakes/fake_players.h"
#include "tests/fakes/fake_window.h"

// A practice session wired to fakes, as the main window wires it to widgets.
struct PracticeRig {
    FakeLessonBox lesson;
    FakeTypingBox typing;
    FakePracticeWindow window;
    RecordingCuePlayer me1, me2, mm3;
    FakeMediaPlayer player;
    FakeClock clock;
    PracticeSession session{
        SessionPorts{lesson, typing, window, me1, me2, mm3, player, clock, "/prog", "/own"}};
    const AttemptState& state = session.state();

    // A lesson as if just loaded into a fresh session.
    void start(std::u16string_view text) { lesson.setText(std::u16string(text)); }
    // The learner's change: the box holds `text`, which is pushed to the session.
    void type(std::u16string_view text) {
        typing.typed = text;
        session.typedTextChanged(typing.typed);
    }
    void append(std::u16string_view more) { type(typing.typed + std::u16string(more)); }
    void backspace(size_t count = 1) {
        type(std::u16string_view(typing.typed).substr(0, typing.typed.size() - count));
    }
    std::u16string caption(FormLabel label) { return window.captions[label]; }
};
