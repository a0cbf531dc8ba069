#pragma once

#include "core/slip.h"

#include <QStringList>

// A slip as the hint row tells it: its parts as the lesson box shows them.
struct ToldSlip {
    QString expected; // □ for a kanji the box hides
    QString typed;
    QString reading; // of the expected part; empty when it only repeats it
    QString kind;    // with its detail
    MistakeKind kindOf = MistakeKind::Other;
    bool followed = false; // the learner typed on after it
};

ToldSlip toldSlip(const Slip& slip, std::u16string expectedAsShown, bool followed);

// What the hint row says about a slip: what was expected, what was typed, the
// kind, and what to do; then shorter forms for a narrow row, down to the
// expected part and the kind.
QStringList slipHint(const ToldSlip& slip);

// Said once per attempt, for the first Chinese form: the input method is the
// Chinese one. Shorter forms follow, as for a slip.
QStringList chineseInputHint(const ToldSlip& slip);

// Said before the slip's hint when the learner chose the same wrong word for
// it in an earlier attempt: the input method offers its last choice first.
QString rememberedChoiceTip(const ToldSlip& slip);

// Said once an attempt has ended, while its boxes stand empty: how many slips
// it had and how to open their review; after its score is saved, that too.
QStringList endedHint(std::size_t slips, bool saved);

// A line break as ↵ 换行, everything else as it is.
QString withLineBreaksShown(const std::u16string& text);
