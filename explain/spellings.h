#pragma once

#include "explain/kanji_sources.h"

#include <string_view>

// Whether the kanji and kana of `written` can be read as `reading` (hiragana)
// with KANJIDIC's readings of its kanji: 離散 as りさん, 良い as いい, 学校 as
// がっこう (a reading's last く, つ, ち or き may become っ), 本棚 as ほんだな.
// Words of more than 12 characters are never read so.
bool readsAs(const KanjiSources& kanji, std::u16string_view written, std::u16string_view reading);
