#include "readings/mecab_analyser.h"

#include "core/regular_file.h"
#include "core/utf8.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <mecab.h>
#include <sstream>

namespace {

constexpr const char* kDebianFolder = "/var/lib/mecab/dic/ipadic-utf8";
constexpr const char* kSystemSettings = "/etc/mecabrc";
constexpr std::size_t kSettingsFileLimit = 64 * 1024; // a few dozen lines
// The reading is the eighth field of an IPA dictionary entry's features.
constexpr std::size_t kReadingField = 7;

bool holdsDictionary(const std::string& folder) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(folder) / "sys.dic", error);
}

// The `dicdir` line of MeCab's system settings, which Debian points at the
// dictionary chosen as the system's default.
std::optional<std::string> settingsFolder() {
    const auto read = readRegularFile(kSystemSettings, kSettingsFileLimit);
    const auto* bytes = std::get_if<std::string>(&read);
    if (!bytes)
        return std::nullopt;
    std::istringstream settings(*bytes);
    std::string line;
    while (std::getline(settings, line)) {
        const auto equals = line.find('=');
        if (line.rfind("dicdir", 0) != 0 || equals == std::string::npos)
            continue;
        const auto begin = line.find_first_not_of(" \t", equals + 1);
        const auto end = line.find_last_not_of(" \t\r");
        if (begin != std::string::npos)
            return line.substr(begin, end - begin + 1);
    }
    return std::nullopt;
}

bool isUtf8(std::string charset) {
    std::erase(charset, '-');
    std::transform(charset.begin(), charset.end(), charset.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return charset == "utf8";
}

std::string field(const char* features, std::size_t index) {
    std::string_view rest(features);
    for (std::size_t i = 0; i < index; ++i) {
        const auto comma = rest.find(',');
        if (comma == std::string_view::npos)
            return {};
        rest.remove_prefix(comma + 1);
    }
    return std::string(rest.substr(0, rest.find(',')));
}

// For each byte offset of the UTF-8 form of a line, the UTF-16 position it starts.
std::vector<std::size_t> utf16Positions(std::u16string_view line, std::size_t byteCount) {
    std::vector<std::size_t> positions(byteCount + 1, line.size());
    std::size_t byte = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t c = line[i];
        positions[byte] = i;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < line.size()) {
            byte += 4;
            ++i;
        } else {
            byte += c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        }
    }
    return positions;
}

// The line as MeCab may read it, one UTF-16 unit for one: control characters
// (NUL included) and unpaired surrogates become spaces, so that positions
// still line up with the lesson.
std::u16string analysable(std::u16string_view line) {
    std::u16string clean(line);
    for (std::size_t i = 0; i < clean.size(); ++i) {
        const char16_t c = clean[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool paired =
            high && i + 1 < clean.size() && clean[i + 1] >= 0xDC00 && clean[i + 1] <= 0xDFFF;
        if (paired)
            ++i;
        else if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF))
            clean[i] = u' ';
    }
    return clean;
}

} // namespace

std::optional<std::string> findIpadicUtf8() {
    if (holdsDictionary(kDebianFolder))
        return kDebianFolder;
    const auto configured = settingsFolder();
    if (configured && holdsDictionary(*configured))
        return configured;
    return std::nullopt;
}

MecabAnalyser::MecabAnalyser(std::string dictionaryFolder)
    : m_folder(dictionaryFolder.empty() ? findIpadicUtf8().value_or(std::string())
                                        : std::move(dictionaryFolder)) {}

bool MecabAnalyser::dictionaryFound() const {
    return !m_folder.empty() && holdsDictionary(m_folder);
}

MecabAnalyser::~MecabAnalyser() {
    if (m_mecab)
        mecab_destroy(m_mecab);
}

void MecabAnalyser::load() {
    m_loaded = true;
    if (!dictionaryFound()) {
        m_problem = "no MeCab dictionary found (install mecab-ipadic-utf8)";
        return;
    }
    // The dictionary folder carries its own settings; the system's are not needed.
    std::string program = "mecab", noSettings = "-r/dev/null", folder = "-d" + m_folder;
    std::array<char*, 3> arguments{program.data(), noSettings.data(), folder.data()};
    m_mecab = mecab_new(static_cast<int>(arguments.size()), arguments.data());
    if (!m_mecab) {
        m_problem = std::string("MeCab cannot load ") + m_folder + ": " + mecab_strerror(nullptr);
        return;
    }
    const mecab_dictionary_info_t* info = mecab_dictionary_info(m_mecab);
    if (!info || !isUtf8(info->charset)) {
        m_problem = "the MeCab dictionary in " + m_folder + " is not UTF-8";
        mecab_destroy(m_mecab);
        m_mecab = nullptr;
    }
}

bool MecabAnalyser::available() {
    if (!m_loaded)
        load();
    return m_mecab != nullptr;
}

const std::string& MecabAnalyser::problem() {
    available();
    return m_problem;
}

std::vector<AnalysedWord> MecabAnalyser::analyse(std::u16string_view line) {
    if (!available() || line.empty())
        return {};
    const std::u16string clean = analysable(line);
    const std::string bytes = toUtf8(clean);
    const std::vector<std::size_t> positions = utf16Positions(clean, bytes.size());
    const mecab_node_t* node = mecab_sparse_tonode2(m_mecab, bytes.data(), bytes.size());
    std::vector<AnalysedWord> words;
    for (; node; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE || node->length == 0)
            continue;
        const auto byteStart = static_cast<std::size_t>(node->surface - bytes.data());
        const std::size_t start = positions[byteStart];
        const std::size_t end = positions[byteStart + node->length];
        std::string reading =
            node->stat == MECAB_UNK_NODE ? "" : field(node->feature, kReadingField);
        if (reading == "*")
            reading.clear();
        words.push_back({start, end - start, fromUtf8(reading).value_or(std::u16string())});
    }
    return words;
}
