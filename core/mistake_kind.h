#pragma once

#include <string>

// The kinds of slip a learner of Japanese who reads Chinese makes, as the
// learner is told them.
enum class MistakeKind {
    ChineseForm,    // the Chinese form of the kanji: 图 for 図
    WrittenInKana,  // the reading in kana where the lesson has kanji
    WrittenInKanji, // kanji, or another spelling, of the same word
    WrongKanji,     // a kanji or word of the same reading
    WrongReading,   // a wrong reading or kana
    Other,
    InputMethodOff, // Latin letters where the lesson has none
    Extra,          // characters or line breaks where the lesson has none
    Missing,        // lesson characters skipped
};

// 中文字形, 写成假名, 写成汉字, 选错汉字, 读音错误, 其他, 输入法未开, 多打, 漏打.
const char* kindName(MistakeKind kind);

// What went wrong, with the detail of a wrong reading (促音, 长音, 拗音,
// 浊音/半浊音, 形近; empty when none applies).
struct Explanation {
    MistakeKind kind = MistakeKind::Other;
    std::string detail;
    friend bool operator==(const Explanation&, const Explanation&) = default;
};
