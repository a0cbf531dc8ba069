#pragma once

#include "core/attempt_clock.h"
#include "core/comparison_engine.h"
#include "core/lesson_loader.h"
#include "tests/fakes/fake_boxes.h"
#include "tests/fakes/fake_players.h"
#include "tests/fakes/fake_window.h"

// The practice logic wired to fakes, as the main window wires it to widgets.
struct PracticeRig {
    AttemptState state;
    FakeLessonBox lesson;
    FakeTypingBox typing;
    FakePracticeWindow window;
    RecordingCuePlayer me1;
    FakeMediaPlayer player;
    FakeClock clock;
    LocalFiles files;
    CodePage codePage;
    CueSounds cues{me1, "/prog", state.SoundOn};
    ComparisonEngine engine{state, lesson, typing, window, cues, codePage};
    LessonLoader loader{state, lesson, typing, window, player, files, codePage};
    AttemptClock attemptClock{state, window, clock};

    // A lesson as if just loaded.
    void start(std::u16string_view text) {
        lesson.setText(std::u16string(text));
        state.reset();
    }
    // The learner's change: the box holds `text`, then the engine runs.
    void type(std::u16string_view text) {
        typing.typed = text;
        engine.R2_Change();
    }
    void append(std::u16string_view more) { type(typing.typed + std::u16string(more)); }
    void backspace(size_t count = 1) {
        type(std::u16string_view(typing.typed).substr(0, typing.typed.size() - count));
    }
    std::u16string caption(FormLabel label) { return window.captions[label]; }
};
