#pragma once

#include <iconv.h>

// Whether Japanese writing uses a kanji: JIS X 0213 holds every kanji of
// Japanese text, and not the simplified forms of Chinese (图, 这, 们).
class JapaneseCharacters {
  public:
    JapaneseCharacters();
    ~JapaneseCharacters();
    JapaneseCharacters(const JapaneseCharacters&) = delete;
    JapaneseCharacters& operator=(const JapaneseCharacters&) = delete;

    // True for a kanji (CJK ideograph) that JIS X 0213 lacks; false for
    // every other character.
    bool isForeignKanji(char32_t codePoint);

  private:
    iconv_t m_toJis;
};
