#include "explain/kanji_sources.h"

#include "core/regular_file.h"
#include "core/utf8.h"
#include "explain/kanjidic.h"

#include <opencc.h>

namespace {

// KANJIDIC is about 1.2 MB; anything far larger is no KANJIDIC.
constexpr size_t kKanjidicLimit = 16u << 20;
const auto kNotOpened = reinterpret_cast<opencc_t>(-1);

void* openOpencc(const std::string& path) {
    const opencc_t handle = opencc_open(path.c_str());
    return handle == kNotOpened ? nullptr : handle;
}

} // namespace

KanjiSources::KanjiSources(SourcePlaces places) : m_places(std::move(places)) {}

KanjiSources::~KanjiSources() {
    for (void* handle : {m_toTraditional, m_toSimplified, m_fromSimplified, m_toJapanese})
        if (handle)
            opencc_close(static_cast<opencc_t>(handle));
    if (knowsJapaneseCharacters())
        iconv_close(m_jis);
}

void KanjiSources::load() {
    std::call_once(m_loaded, [this] {
        openConverters();
        readKanjidic();
    });
}

// OpenCC reads a configuration's dictionaries itself; only an existing,
// regular configuration is handed to it.
void* KanjiSources::openConfiguration(const char* name) const {
    const std::string path = m_places.openccFolder + "/" + name;
    return std::holds_alternative<std::string>(readRegularFile(path, 1 << 16)) ? openOpencc(path)
                                                                               : nullptr;
}

void KanjiSources::openConverters() {
    m_toTraditional = openConfiguration("jp2t.json");
    m_toSimplified = openConfiguration("t2s.json");
    m_fromSimplified = openConfiguration("s2t.json");
    m_toJapanese = openConfiguration("t2jp.json");
    m_jis = iconv_open("EUC-JISX0213", "UTF-8");
}

void KanjiSources::readKanjidic() {
    const auto bytes = readRegularFile(m_places.kanjidic, kKanjidicLimit);
    if (const auto* text = std::get_if<std::string>(&bytes))
        m_readings = parseKanjidic(*text);
}

std::u16string KanjiSources::convert(void* converter, std::u16string_view text) {
    const std::string in = toUtf8(text);
    char* out = opencc_convert_utf8(static_cast<opencc_t>(converter), in.data(), in.size());
    if (!out)
        return std::u16string(text);
    std::u16string converted = fromUtf8(out).value_or(std::u16string(text));
    opencc_convert_utf8_free(out);
    return converted;
}

std::u16string KanjiSources::japaneseFormOf(char16_t chinese) {
    if (!m_fromSimplified || !m_toJapanese)
        return {};
    const std::u16string japanese =
        convert(m_toJapanese, convert(m_fromSimplified, std::u16string_view(&chinese, 1)));
    if (japanese.size() != 1 || japanese[0] == chinese || !usedInJapanese(japanese[0]))
        return {};
    return japanese;
}

std::u16string KanjiSources::chineseFormsOf(char16_t kanji) {
    if (!knowsChineseForms())
        return {};
    const std::u16string traditional = convert(m_toTraditional, std::u16string_view(&kanji, 1));
    const std::u16string simplified = convert(m_toSimplified, traditional);
    std::u16string forms;
    for (const std::u16string* form : {&traditional, &simplified})
        if (form->size() == 1 && (*form)[0] != kanji && forms.find((*form)[0]) == forms.npos)
            forms += *form;
    return forms;
}

bool KanjiSources::usedInJapanese(char16_t c) {
    if (!knowsJapaneseCharacters())
        return true;
    std::string in = toUtf8(std::u16string_view(&c, 1));
    char out[16];
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out;
    size_t outLeft = sizeof out;
    const size_t converted = iconv(m_jis, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv(m_jis, nullptr, nullptr, &outPtr, &outLeft); // back to the initial state
    return converted != static_cast<size_t>(-1);
}

const std::vector<std::u16string>& KanjiSources::readingsOf(char16_t kanji) const {
    static const std::vector<std::u16string> kNone;
    const auto found = m_readings.find(kanji);
    return found == m_readings.end() ? kNone : found->second;
}

bool KanjiSources::shareAReading(char16_t a, char16_t b) const {
    for (const std::u16string& reading : readingsOf(a))
        for (const std::u16string& other : readingsOf(b))
            if (reading == other)
                return true;
    return false;
}
