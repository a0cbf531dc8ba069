#include "explain/slip_alignment.h"
#include "explain/slip_book.h"
#include "readings/loaded_readings.h"
#include "readings/mecab_analyser.h"

#include <gtest/gtest.h>

#include <algorithm>
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

namespace {

// A lesson step as the learner commits it, right and as a slip, each with the
// kana typed for it (none for a key).
struct Step {
    std::u16string right;
    std::optional<std::u16string> rightReading;
    std::u16string wrong;
    std::optional<std::u16string> wrongReading;
};

const std::vector<Step> kSteps = {
    {u"今晩は", u"こんばんは", u"こんばんは", u"こんばんは"},
    {u"、", {}, u"。", {}},
    {u"田中", u"たなか", u"他中", u"たなか"},
    {u"さん。", {}, u"sann", {}},
    {u"\r\n", {}, u"\r\n", {}},
    {u"雑誌", u"ざっし", u"ざしを", u"ざしを"},
    {u"を", {}, u"お", {}},
    {u"読みます", u"よみます", u"読ます", u"よみます"},
    {u"。", {}, u"。。", {}},
    {u"\r\n", {}, u"\r\n", {}},
    {u"わたしは", {}, u"私は", u"わたしは"},
    {u"図書館", u"としょかん", u"图书馆", u"としょかん"},
    {u"で", {}, u"de", {}},
    {u"",
     {},
     u"中文输入法打出来的一整句话和课文里的哪一句都对不上所以附近没有能重新对齐的地方"
     u"这样一句长长的话一直打到行末还没完",
     {}},
    {u"一緒に", u"いっしょに", u"いっしょに", u"いっしょに"},
    {u"勉強します。", u"べんきょうします", u"便強します。", u"べんきょうします"},
    {u"\r\n", {}, u"\r\n", {}}};

// The learner's next change: mostly the next step, right or as a slip, at a
// line end often with the line break the program enters; at times some
// characters taken back. `stepEnds`: where each step typed ended.
void changeTyping(AttemptRecord& record, std::vector<std::size_t>& stepEnds, std::mt19937& random) {
    if (random() % 5 == 0 && !stepEnds.empty()) {
        const std::size_t kept =
            record.typed.size() - std::min<std::size_t>(1 + random() % 12, record.typed.size());
        while (!stepEnds.empty() && stepEnds.back() > kept)
            stepEnds.pop_back();
        record.typedNow(record.typed.substr(0, kept), {}, std::nullopt);
        return;
    }
    const Step& next = kSteps[stepEnds.size() % kSteps.size()];
    const bool right = random() % 4 != 0;
    const std::u16string added = right ? next.right : next.wrong;
    std::u16string now = record.typed + added;
    if (kSteps[(stepEnds.size() + 1) % kSteps.size()].right == u"\r\n" && random() % 2 == 0) {
        now += u"\r\n"; // entered by the program
        stepEnds.push_back(now.size());
    }
    auto reading = right ? next.rightReading : next.wrongReading;
    if (random() % 3 == 0)
        reading.reset(); // typed again without the input method's kana
    record.typedNow(std::move(now), added, std::move(reading));
    stepEnds.push_back(record.typed.size());
}

Slips notTakenBack(Slips slips) {
    std::erase_if(slips, [](const Slip& slip) { return slip.takenBack; });
    return slips;
}

} // namespace

// The slip book redoes after a change only what the change touched: over a
// lesson of many lines typed with slips, take-backs across earlier commits,
// line breaks the program entered for a commit at a line end and slips typed
// again the same with other kana, it finds what a fresh book finds for the
// same record, far behind and near.
TEST(SlipBook, FindingSlipsAfterEachChangeFindsWhatAFreshBookFinds) {
    KanjiSources kanji;
    MecabAnalyser analyser;
    LoadedReadings readings(analyser);
    SlipBook step(kanji, readings), fresh(kanji, readings);
    LoadedLesson lesson;
    for (int copy = 0; copy < 8; ++copy)
        lesson.text += kLesson + u"\r\n";
    for (unsigned seed = 1; seed <= 6; ++seed) {
        step.lessonLoaded(lesson);
        AttemptRecord record;
        record.begin(lesson, PracticeMode::Text);
        std::mt19937 random(seed);
        std::vector<std::size_t> stepEnds;
        for (int change = 0; change < 1500 && stepEnds.size() < 8 * kSteps.size(); ++change) {
            changeTyping(record, stepEnds, random);
            step.findSlips(record);
            AttemptRecord again = record;
            fresh.lessonLoaded(lesson);
            fresh.findSlips(again);
            ASSERT_EQ(notTakenBack(record.slips), again.slips) << seed << ", change " << change;
            ASSERT_EQ(record.reached, again.reached) << seed << ", change " << change;
        }
        EXPECT_GT(record.typed.size(), 6 * kLesson.size()) << "the typing went far into the lesson";
    }
}
