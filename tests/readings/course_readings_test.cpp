// A teacher's list of course words and their readings in their lessons,
// written by hand, against what the program shows with the shipped corrections.
#include "core/utf8.h"
#include "readings/kana.h"
#include "readings/lesson_readings.h"
#include "readings/mecab_analyser.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>

namespace {

struct ExpectedReading {
    std::string lesson;
    std::u16string word;
    std::u16string reading;
    int line;
};

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<ExpectedReading> expectedReadings() {
    std::istringstream list(fileText(ORVANTA_TEST_DATA "/course_readings.tsv"));
    std::vector<ExpectedReading> expected;
    std::string line;
    for (int number = 1; std::getline(list, line); ++number) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        expected.push_back({line.substr(0, tab1),
                            fromUtf8(line.substr(tab1 + 1, tab2 - tab1 - 1)).value(),
                            fromUtf8(line.substr(tab2 + 1)).value(), number});
    }
    return expected;
}

// The reading shown over a stretch of the lesson, its kana written out, or
// nothing when a reading there reaches beyond it (the stretch is part of a
// longer word).
std::optional<std::u16string> shownReading(std::u16string_view text, std::size_t start,
                                           std::size_t end, const std::vector<Ruby>& rubies) {
    std::u16string reading;
    for (std::size_t p = start; p < end;) {
        const auto ruby = std::find_if(rubies.begin(), rubies.end(), [p](const Ruby& r) {
            return r.start <= p && p < r.start + r.length;
        });
        if (ruby == rubies.end()) {
            reading += toHiragana(text.substr(p, 1));
            ++p;
            continue;
        }
        if (ruby->start < start || ruby->start + ruby->length > end)
            return std::nullopt;
        reading += ruby->reading;
        p = ruby->start + ruby->length;
    }
    return reading;
}

class CourseReadings : public ::testing::Test {
  protected:
    const LessonReadings& lesson(const std::string& name) {
        auto found = m_lessons.find(name);
        if (found == m_lessons.end()) {
            const std::string base = ORVANTA_LESSON_SOURCES "/" + name;
            m_texts[name] = fromUtf8(fileText(base + ".txt")).value();
            const Corrections corrections = readCorrections(base + ".ORV");
            EXPECT_TRUE(corrections.badLines.empty()) << name;
            found =
                m_lessons.emplace(name, readLesson(m_texts[name], m_analyser, corrections.entries))
                    .first;
        }
        return found->second;
    }
    MecabAnalyser m_analyser;
    std::map<std::string, std::u16string> m_texts;
    std::map<std::string, LessonReadings> m_lessons;
};

} // namespace

TEST_F(CourseReadings, EveryListedWordReadsRightWhereverItStandsAlone) {
    ASSERT_TRUE(m_analyser.available()) << m_analyser.problem();
    const std::vector<ExpectedReading> expected = expectedReadings();
    ASSERT_GE(expected.size(), 300u);
    for (const ExpectedReading& e : expected) {
        const LessonReadings& readings = lesson(e.lesson);
        const std::u16string& text = m_texts[e.lesson];
        int compared = 0;
        for (auto at = text.find(e.word); at != std::u16string::npos;
             at = text.find(e.word, at + 1)) {
            const auto shown = shownReading(text, at, at + e.word.size(), readings.rubies);
            if (!shown)
                continue;
            ++compared;
            EXPECT_EQ(toUtf8(*shown), toUtf8(e.reading))
                << "line " << e.line << ": " << e.lesson << " " << toUtf8(e.word) << " at " << at;
        }
        EXPECT_GT(compared, 0) << "line " << e.line << ": " << e.lesson << " " << toUtf8(e.word)
                               << " does not stand alone in the lesson";
    }
}
