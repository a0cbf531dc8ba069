#pragma once

#include "readings/analyser.h"

#include <memory>
#include <optional>
#include <string>

struct mecab_t;

// The folder of the UTF-8 IPA dictionary on this system (Debian's
// mecab-ipadic-utf8), or nothing when it is not installed.
std::optional<std::string> findIpadicUtf8();

// MeCab with the IPA dictionary. The dictionary is loaded on first use, once;
// a dictionary that is missing, unreadable or not UTF-8 makes the analyser
// unavailable, and an unavailable analyser finds no words.
class MecabAnalyser final : public Analyser {
  public:
    // An empty folder means: look for the installed dictionary.
    explicit MecabAnalyser(std::string dictionaryFolder = {});
    ~MecabAnalyser() override;

    // Whether the dictionary's files are there; cheap, it loads nothing.
    bool dictionaryFound() const;
    bool available() override;
    std::vector<AnalysedWord> analyse(std::u16string_view line) override;
    // Why the analyser is unavailable, for messages; empty when it is available.
    const std::string& problem();

  private:
    void load();

    std::string m_folder;
    bool m_loaded = false;
    mecab_t* m_mecab = nullptr;
    std::string m_problem;
};
