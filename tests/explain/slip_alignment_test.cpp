#include "explain/slip_alignment.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const std::u16string kLesson =
    u"今晩は、田中さん。\r\n雑誌を読みます。\r\nわたしは図書館で一緒に勉強します。";

// Every character its own input, as when a journal's text is judged again.
std::vector<TypedInput> singleInputs(std::size_t length) {
    std::vector<TypedInput> inputs;
    for (std::size_t end = 1; end <= length; ++end)
        inputs.push_back({end, std::nullopt});
    return inputs;
}

} // namespace

// After each change only a stretch is aligned again: whatever the order of
// commits and take-backs, the slips are those of aligning the text afresh.
TEST(SlipAligner, AligningAfterEachChangeFindsWhatAligningAfreshFinds) {
    const std::u16string pieces[] = {
        u"こんばんは", u"、",   u"田中", u"さん。", u"\r\n", u"ざっし",     u"を", u"読みます",
        u"。",         u"\r\n", u"私は", u"图书馆", u"で",   u"いっしょに", u"x",  u"勉強します。"};
    std::mt19937 random(7);
    LessonReadings none;
    SlipAligner step;
    step.lessonLoaded(kLesson, &none);
    std::u16string typed;
    for (int change = 0; change < 400; ++change) {
        if (random() % 4 == 0 && !typed.empty())
            typed.resize(typed.size() - 1 - random() % std::min<std::size_t>(typed.size(), 6));
        else
            typed += pieces[random() % std::size(pieces)];
        if (typed.size() > kLesson.size() + 20)
            typed.clear();
        const auto inputs = singleInputs(typed.size());
        SlipAligner fresh;
        fresh.lessonLoaded(kLesson, &none);
        const Alignment expected = fresh.align(typed, inputs);
        const Alignment found = step.align(typed, inputs);
        ASSERT_EQ(found.slips, expected.slips) << "after change " << change;
        ASSERT_EQ(found.reached, expected.reached) << "after change " << change;
    }
}

// A long line half typed with one slip at its start costs a commit only the
// stretch around it; the slip stays where it was made.
TEST(SlipAligner, ALongCommitOverAShortWordIsOneSlipAndWhatFollowsRealigns) {
    LessonReadings none;
    SlipAligner aligner;
    aligner.lessonLoaded(kLesson, &none);
    const std::u16string typed = u"こんばんは、田中さん。\r\n雑誌を読みます。";
    const std::vector<TypedInput> inputs = {{5, u"こんばんは"}, {typed.size(), std::nullopt}};
    const Alignment alignment = aligner.align(typed, inputs);
    ASSERT_EQ(alignment.slips.size(), 1u);
    EXPECT_EQ(alignment.slips[0].lessonStart, 0u);
    EXPECT_EQ(alignment.slips[0].typedStart, 0u);
    EXPECT_EQ(alignment.reached, typed.size() - 2);
}
