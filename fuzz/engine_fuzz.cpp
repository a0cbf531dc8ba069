// Drives the comparison engine with random appends, deletions and replacements
// and checks the attempt's invariants after every change.
#include "tests/fakes/practice_rig.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// Every consumed lesson character shows how it was counted, every other one is
// black, the counts agree with the colours and no character but the next one
// to type is underlined.
void checkMarks(const PracticeRig& rig) {
    const AttemptState& s = rig.state;
    const std::u16string& text = rig.lesson.text();
    Pos blue = 0;
    Pos red = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n')
            continue;
        const Rgb colour = rig.lesson.colours[i];
        if (static_cast<Pos>(i) >= s.CurPos)
            check(colour == kBlack);
        else
            check(colour == (s.CountedRight[i] ? kBlue : kRed));
        blue += colour == kBlue;
        red += colour == kRed;
    }
    check(blue == s.RightCount - s.LineBreakCount && red == s.WrongCount);
    const std::vector<Pos> underlined = rig.lesson.visibleUnderlines();
    check(underlined.size() <= 1 && (underlined.empty() || underlined[0] == s.CurPos));
}

void checkInvariants(const PracticeRig& rig) {
    const AttemptState& s = rig.state;
    if (rig.lesson.text().empty())
        return; // completed
    check(s.PrevTyped == rig.typing.typed);
    check(s.CurPos == static_cast<Pos>(s.PrevTyped.size()));
    check(s.RightCount - s.LineBreakCount + s.WrongCount == s.CurPos - s.LineBreakCount);
    check(s.WrongCount >= 0 && s.RightCount >= s.LineBreakCount && s.LineBreakCount % 2 == 0);
    check(s.CurPos <= static_cast<Pos>(rig.lesson.text().size()));
    checkMarks(rig);
}

const char16_t kAlphabet[] = {u'a', u'b', u'あ', u'\u301C', u'～', u'\r', u'\n', u'x'};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    // A fresh rig per input: nothing grows from one input to the next (the cue
    // player logs every command), and a finding replays from its input alone.
    PracticeRig rig;
    rig.start(u"ab\r\nあ～\r\n\r\nxa");
    for (size_t i = 0; i + 1 < size; i += 2) {
        const unsigned op = data[i] % 4;
        const unsigned arg = data[i + 1];
        std::u16string typed = rig.typing.typed;
        if (op == 0 || op == 1) {
            for (unsigned k = 0; k <= arg % 3; ++k)
                typed += kAlphabet[(arg / 3 + k) % std::size(kAlphabet)];
            if (op == 1 && arg % 2 == 0)
                typed += u"\r\n"; // Enter
        } else if (op == 2) {
            typed.resize(typed.size() - std::min<size_t>(typed.size(), arg % 4 + 1));
        } else if (!typed.empty()) {
            typed[arg % typed.size()] = kAlphabet[arg % std::size(kAlphabet)];
        }
        rig.type(typed);
        checkInvariants(rig);
        if (rig.lesson.text().empty())
            break;
    }
    return 0;
}
