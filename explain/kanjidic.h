#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

using KanjiReadings = std::unordered_map<char16_t, std::vector<std::u16string>>;

// The readings of each kanji in KANJIDIC's EUC-JP lines: the kanji, its
// codes, then on readings in katakana and kun readings in hiragana, the
// okurigana after a '.' and affixes marked by '-' (持: ジ も.つ -も.ち).
// Readings come in hiragana, a kun reading also without its okurigana
// (じ, もつ, も, もち); the names' readings after T1 or T2 are left out. Lines
// that are not such are skipped.
KanjiReadings parseKanjidic(std::string_view eucJp);
