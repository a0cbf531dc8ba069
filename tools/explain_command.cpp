#include "tools/explain_command.h"

#include "core/utf8.h"
#include "explain/classifier.h"
#include "readings/mecab_analyser.h"
#include "tools/tool_output.h"

#include <iostream>

const char* const kExplainUsage = R"(  orvanta-lesson explain EXPECTED TYPED [PREEDIT]
      Writes what kind of mistake TYPED is where a lesson has EXPECTED
      (中文字形, 写成假名, 写成汉字, 选错汉字, 读音错误 or 其他) and its detail
      (促音, 长音, 拗音, 浊音/半浊音, 形近), one line. PREEDIT is the kana typed
      before the input method converted them. Each is at most 100 characters.
      Exit 0; 2 for arguments that are not UTF-8 or too long; 3 when some
      kinds cannot be told here (they are named, and the line is still
      written).
)";

namespace {

int usageError() {
    std::cerr << "Usage:\n" << kExplainUsage;
    return 2;
}

} // namespace

int explainCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || arguments.size() > 3)
        return usageError();
    WordMistake mistake;
    const auto expected = fromUtf8(arguments[0]);
    const auto typed = fromUtf8(arguments[1]);
    const auto preedit = arguments.size() == 3 ? fromUtf8(arguments[2]) : std::u16string();
    if (!expected || !typed || !preedit)
        return usageError();
    for (const std::u16string* word : {&*expected, &*typed, &*preedit})
        if (word->size() > kLongestClassified) {
            std::cerr << "orvanta-lesson: explain takes words, at most " << kLongestClassified
                      << " characters each\n";
            return 2;
        }
    mistake.expected = *expected;
    mistake.typed = *typed;
    if (arguments.size() == 3)
        mistake.preedit = *preedit;
    KanjiSources kanji;
    MecabAnalyser analyser;
    Classifier classifier(kanji, analyser);
    const Explanation explanation = classifier.classify(mistake);
    std::string line = kindName(explanation.kind);
    if (!explanation.detail.empty())
        line += " " + explanation.detail;
    if (const auto error = writeStandardOutput(line + "\n"))
        return cannotWrite("standard output", *error);
    const std::vector<std::string> unknown = classifier.kindsItCannotTell();
    if (unknown.empty())
        return 0;
    std::cerr << "orvanta-lesson: cannot tell here:";
    for (const std::string& kind : unknown)
        std::cerr << " " << kind;
    std::cerr << "\n";
    return 3;
}
