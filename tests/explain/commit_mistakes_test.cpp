#include "explain/commit_mistakes.h"
#include "readings/mecab_analyser.h"

#include <gtest/gtest.h>

namespace {

// One attempt at a lesson, committed as the input method does it.
class CommitMistakesTest : public ::testing::Test {
  protected:
    void load(std::u16string lesson) {
        m_lesson = lesson;
        m_mistakes.lessonLoaded(lesson, readLesson(lesson, m_analyser, {}));
        m_typed = 0;
    }
    // Commits `text` at the end of what was typed and returns the notes of its
    // wrong characters, by position.
    std::vector<std::pair<std::size_t, NotedMistake>>
    commit(std::u16string text, std::optional<std::u16string> preedit = std::nullopt) {
        m_mistakes.committed(text, std::move(preedit));
        std::vector<std::pair<std::size_t, NotedMistake>> notes;
        for (const char16_t c : text) {
            m_mistakes.evaluated(m_typed);
            if (c != m_lesson[m_typed])
                notes.emplace_back(m_typed, m_mistakes.note(m_typed, c));
            ++m_typed;
        }
        return notes;
    }
    void takeBackTo(std::size_t position) {
        for (; m_typed > position; --m_typed)
            m_mistakes.takenBack(m_typed - 1);
    }

    MecabAnalyser m_analyser;
    KanjiSources m_kanji;
    Classifier m_classifier{m_kanji, m_analyser};
    CommitMistakes m_mistakes{m_classifier};
    std::u16string m_lesson;
    std::size_t m_typed = 0;
};

} // namespace

TEST_F(CommitMistakesTest, AKanaCommitOfALongerWordIsOneSlipAndWhatFollowsIsShifted) {
    load(u"今晩は、李さん。");
    const auto notes = commit(u"こんばんは", u"こんばんは");
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[0].second.explanation.kind, MistakeKind::WrittenInKana);
    EXPECT_FALSE(notes[0].second.shifted);
    for (size_t i = 1; i < notes.size(); ++i)
        EXPECT_TRUE(notes[i].second.shifted) << "position " << notes[i].first;
    const Slip* slip = m_mistakes.slip();
    ASSERT_TRUE(slip);
    EXPECT_EQ(slip->expected, u"今晩");
    EXPECT_EQ(slip->reading, u"こんばん");
    EXPECT_EQ(slip->typed, u"こんばんは");
    const auto next = commit(u"、");
    ASSERT_EQ(next.size(), 1u);
    EXPECT_TRUE(next[0].second.shifted) << "the next commit stands moved by the slip too";
    takeBackTo(0);
    EXPECT_EQ(m_mistakes.slip(), nullptr);
}

TEST_F(CommitMistakesTest, AWrongCandidateOverTwoLessonWordsIsOneSlipWithItsKana) {
    load(u"李さんは学生です。");
    const auto notes = commit(u"離散", u"りさん");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].second.explanation.kind, MistakeKind::WrongKanji);
    EXPECT_EQ(notes[0].second.preedit, u"りさん");
    EXPECT_TRUE(notes[1].second.shifted);
    ASSERT_TRUE(m_mistakes.slip());
    EXPECT_EQ(m_mistakes.slip()->expected, u"李さん");
}

TEST_F(CommitMistakesTest, KanjiInsideALongerCommitTakeTheirShareOfThePreedit) {
    load(u"これはわたしの傘です。");
    const auto notes = commit(u"これは私の傘です", u"これはわたしのかさです");
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes[0].first, 3u);
    EXPECT_EQ(notes[0].second.explanation.kind, MistakeKind::WrittenInKanji);
    EXPECT_EQ(notes[0].second.preedit, u"わたし");
    for (size_t i = 1; i < notes.size(); ++i)
        EXPECT_TRUE(notes[i].second.shifted) << "position " << notes[i].first;
    EXPECT_EQ(m_mistakes.slip()->typed, u"私");
}

TEST_F(CommitMistakesTest, AKeyTypedWithoutTheInputMethodIsExplainedOnItsOwn) {
    load(u"ざっし");
    commit(u"ざ");
    const auto notes = commit(u"し");
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].second.explanation, (Explanation{MistakeKind::WrongReading, "促音"}));
    EXPECT_FALSE(notes[0].second.shifted);
}
