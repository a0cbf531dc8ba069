// Arbitrary bytes as a KANJIDIC file and, read as UTF-16 and cut in three, as
// a lesson word, a commit and a preedit: readings are hiragana and never
// empty, and every mistake gets one of the kinds.
#include "explain/classifier.h"
#include "explain/kanjidic.h"
#include "readings/kana.h"
#include "readings/mecab_analyser.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static KanjiSources kanji;
    static MecabAnalyser analyser;
    static Classifier classifier(kanji, analyser);
    const KanjiReadings readings =
        parseKanjidic(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const auto& [character, list] : readings)
        for (const std::u16string& reading : list)
            if (reading.empty() || toHiragana(reading) != reading)
                std::abort();
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    const size_t third = text.size() / 3;
    const Explanation explanation = classifier.classify(
        {text.substr(0, third), text.substr(third, third), {}, text.substr(2 * third)});
    if (static_cast<int>(explanation.kind) > static_cast<int>(MistakeKind::Other))
        std::abort();
    return 0;
}
