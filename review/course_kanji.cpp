#include "review/course_kanji.h"

#include "core/utf8.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr char16_t kRepeatMark = u'々';

// The reading placed over `position` alone, if any.
std::u16string ownReading(const LessonReadings& readings, size_t position) {
    const auto after =
        std::upper_bound(readings.rubies.begin(), readings.rubies.end(), position,
                         [](size_t at, const Ruby& ruby) { return at < ruby.start; });
    if (after == readings.rubies.begin())
        return {};
    const Ruby& ruby = *std::prev(after);
    return ruby.start == position && ruby.length == 1 ? ruby.reading : std::u16string();
}

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t')) {
        out.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    out.push_back(line);
    return out;
}

template <typename Number> bool parseNumber(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::optional<KanjiPlace> parsePlace(std::string_view line) {
    const std::vector<std::string_view> f = fields(line);
    if (f.size() != 7 || f[0].empty())
        return std::nullopt;
    KanjiPlace place;
    place.lesson = std::string(f[0]);
    const auto kanji = fromUtf8(f[3]);
    auto reading = fromUtf8(f[4]);
    auto word = fromUtf8(f[5]);
    auto wordReading = fromUtf8(f[6]);
    if (!parseNumber(f[1], place.line) || !parseNumber(f[2], place.position) || !kanji ||
        kanji->size() != 1 || !isKanji(kanji->front()) || !reading || !word || !wordReading ||
        word->find(kanji->front()) == std::u16string::npos || place.line < 1 || place.position < 0)
        return std::nullopt;
    place.kanji = kanji->front();
    place.reading = std::move(*reading);
    place.word = std::move(*word);
    place.wordReading = std::move(*wordReading);
    return place;
}

} // namespace

bool isKanji(char16_t c) {
    return ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
            (c >= 0xF900 && c <= 0xFAFF)) &&
           c != kRepeatMark;
}

std::vector<KanjiPlace> kanjiPlaces(const std::string& lesson, std::u16string_view text,
                                    const LessonReadings& readings) {
    std::vector<KanjiPlace> places;
    int line = 1;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == u'\n')
            ++line;
        if (!isKanji(text[at]))
            continue;
        KanjiPlace place{lesson,
                         line,
                         static_cast<Pos>(at),
                         text[at],
                         ownReading(readings, at),
                         std::u16string(1, text[at]),
                         {}};
        if (const ReadWord* word = readings.wordAt(at)) {
            place.word = std::u16string(text.substr(word->start, word->length));
            place.wordReading = word->reading;
        } else {
            place.wordReading = place.reading;
        }
        places.push_back(std::move(place));
    }
    return places;
}

std::string kanjiPlacesText(const std::vector<KanjiPlace>& places) {
    std::string text = "# LESSON\tLINE\tPOSITION\tKANJI\tREADING\tWORD\tWORD READING\n";
    for (const KanjiPlace& p : places) {
        text += p.lesson + '\t' + std::to_string(p.line) + '\t' + std::to_string(p.position) +
                '\t' + toUtf8(std::u16string(1, p.kanji)) + '\t' + toUtf8(p.reading) + '\t' +
                toUtf8(p.word) + '\t' + toUtf8(p.wordReading) + '\n';
    }
    return text;
}

ParsedKanjiPlaces parseKanjiPlaces(std::string_view bytes) {
    ParsedKanjiPlaces parsed;
    for (size_t number = 1; !bytes.empty(); ++number) {
        const size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (auto place = parsePlace(line))
            parsed.places.push_back(std::move(*place));
        else
            parsed.badLines.push_back(number);
    }
    return parsed;
}
