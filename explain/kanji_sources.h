#pragma once

#include <iconv.h>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

// Where the Debian packages keep what the explanations need.
struct SourcePlaces {
    std::string openccFolder = "/usr/share/opencc";     // libopencc-data
    std::string kanjidic = "/usr/share/edict/kanjidic"; // kanjidic, EUC-JP
};

// What is known about single kanji: their Chinese forms (OpenCC), whether
// Japanese writing uses a character at all (JIS X 0213 through iconv) and
// their readings (KANJIDIC). Everything is read on the first load(), once; a
// source that is missing leaves only its own questions unanswered. load() may
// be called from several threads: a call while another reads waits for it.
// The questions are asked from one thread, after load().
class KanjiSources {
  public:
    explicit KanjiSources(SourcePlaces places = {});
    ~KanjiSources();
    KanjiSources(const KanjiSources&) = delete;
    KanjiSources& operator=(const KanjiSources&) = delete;

    void load();

    bool knowsChineseForms() const { return m_toTraditional && m_toSimplified; }
    bool knowsJapaneseCharacters() const { return m_jis != reinterpret_cast<iconv_t>(-1); }
    bool knowsReadings() const { return !m_readings.empty(); }

    // The traditional and simplified Chinese forms of a Japanese kanji that
    // differ from it: 発 -> 發发. Empty when there are none or it is not known.
    std::u16string chineseFormsOf(char16_t kanji);
    // False for a character Japanese text never uses (们, 这); true when unknown.
    bool usedInJapanese(char16_t c);
    // The Japanese form of a Chinese character (图 -> 図, through its
    // traditional form). Empty when it has none or it is not known.
    std::u16string japaneseFormOf(char16_t chinese);
    // On and kun readings in hiragana, kun readings also without their okurigana.
    const std::vector<std::u16string>& readingsOf(char16_t kanji) const;
    bool shareAReading(char16_t a, char16_t b) const;

  private:
    void openConverters();
    void* openConfiguration(const char* name) const;
    void readKanjidic();
    std::u16string convert(void* converter, std::u16string_view text);

    SourcePlaces m_places;
    std::once_flag m_loaded;
    void* m_toTraditional = nullptr; // OpenCC handles; null when not opened
    void* m_toSimplified = nullptr;
    void* m_fromSimplified = nullptr; // simplified to traditional Chinese
    void* m_toJapanese = nullptr;     // traditional Chinese to Japanese
    iconv_t m_jis = reinterpret_cast<iconv_t>(-1);
    std::unordered_map<char16_t, std::vector<std::u16string>> m_readings;
};
