#include "core/regular_file.h"
#include "core/utf8.h"
#include "explain/classifier.h"
#include "readings/mecab_analyser.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct LabelledCase {
    WordMistake mistake;
    std::string kind;
    std::string detail;
    std::string line;
};

// tests/data/explained_mistakes.tsv: expected, typed, preedit, kind, detail,
// source; '-' for no preedit or no detail, '#' starts a comment line.
std::vector<LabelledCase> labelledCases() {
    const auto read = readRegularFile(ORVANTA_TEST_DATA "/explained_mistakes.tsv", 1 << 20);
    std::vector<LabelledCase> cases;
    std::istringstream in(std::get<std::string>(read));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> fields;
        std::istringstream columns(line);
        for (std::string field; std::getline(columns, field, '\t');)
            fields.push_back(field);
        if (fields.size() < 5)
            throw std::runtime_error("not five fields: " + line);
        LabelledCase labelled{{*fromUtf8(fields[0]), *fromUtf8(fields[1]), {}, {}},
                              fields[3],
                              fields[4] == "-" ? "" : fields[4],
                              line};
        if (fields[2] != "-")
            labelled.mistake.preedit = *fromUtf8(fields[2]);
        cases.push_back(std::move(labelled));
    }
    return cases;
}

} // namespace

// The hand-labelled list: words of the course's lessons with the mistakes
// learners make in them, and what a real input method committed for the
// first candidate. The installed OpenCC, KANJIDIC and MeCab decide.
TEST(ExplainedMistakes, AtLeastNinetyFivePercentOfTheLabelledListAreClassifiedAsLabelled) {
    KanjiSources kanji;
    MecabAnalyser analyser;
    Classifier classifier(kanji, analyser);
    ASSERT_TRUE(classifier.kindsItCannotTell().empty()) << "the Debian packages are installed";
    const std::vector<LabelledCase> cases = labelledCases();
    ASSERT_GE(cases.size(), 150u);
    size_t right = 0;
    for (const LabelledCase& labelled : cases) {
        const Explanation got = classifier.classify(labelled.mistake);
        if (kindName(got.kind) == labelled.kind && got.detail == labelled.detail)
            ++right;
        else
            std::cout << "miss: " << labelled.line << "  ->  " << kindName(got.kind) << " "
                      << got.detail << "\n";
    }
    std::cout << "classified as labelled: " << right << " of " << cases.size() << "\n";
    EXPECT_GE(right * 100, cases.size() * 95);
}

TEST(ExplainedMistakes, WithoutTheDictionariesTheKindsTheyTellAreNamedAndOthersStillGiven) {
    KanjiSources kanji({"/nonexistent/opencc", "/nonexistent/kanjidic"});
    MecabAnalyser analyser("/nonexistent/ipadic");
    Classifier classifier(kanji, analyser);
    EXPECT_EQ(classifier.kindsItCannotTell(),
              (std::vector<std::string>{"中文字形", "写成假名", "写成汉字", "选错汉字"}));
    EXPECT_EQ(classifier.classify({u"这", u"们", {}, {}}).kind, MistakeKind::ChineseForm)
        << "a character Japanese never writes is still known through iconv";
    EXPECT_EQ(classifier.classify({u"ざっし", u"ざし", {}, {}}),
              (Explanation{MistakeKind::WrongReading, "促音"}));
    EXPECT_EQ(classifier.classify({u"辞", u"持", {}, {}}).kind, MistakeKind::Other);
}
