#include "core/learners.h"

#include "core/atomic_write.h"
#include "core/regular_file.h"
#include "core/utf8.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr std::string_view kHeader = "orvanta-learners 1";
constexpr size_t kRosterLimit = 256 * 1024;
constexpr size_t kLongestName = 60; // bytes of UTF-8, whole characters kept
constexpr std::string_view kFirstId = "1";

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> parts;
    std::istringstream in(line);
    for (std::string part; std::getline(in, part, '\t');)
        parts.push_back(part);
    return parts;
}

// Cuts at a character boundary: continuation bytes are 10xxxxxx.
std::string cutUtf8(std::string text, size_t limit) {
    if (text.size() <= limit)
        return text;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text;
}

// Ids name folders: digits only, so that an edited roster cannot point elsewhere.
bool isId(const std::string& id) {
    return !id.empty() && id.size() < 10 &&
           std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string cleanLearnerName(const std::string& name) {
    std::string clean = name;
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; },
        ' ');
    const size_t first = clean.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    clean = clean.substr(first, clean.find_last_not_of(' ') - first + 1);
    return cutUtf8(clean, kLongestName);
}

LearnerRoster LearnerRoster::load(const std::string& file) {
    LearnerRoster roster;
    const auto read = readRegularFile(file, kRosterLimit);
    const auto* text = std::get_if<std::string>(&read);
    if (!text || !text->starts_with(kHeader))
        return roster;
    std::istringstream in(*text);
    for (std::string line; std::getline(in, line);) {
        const auto parts = fields(line);
        if (parts.size() == 2 && parts[0] == "last")
            roster.m_last = parts[1];
        else if (parts.size() == 2 && parts[0] == "next" && isId(parts[1]))
            roster.m_nextId = std::atoi(parts[1].c_str());
        else if (parts.size() == 3 && parts[0] == "learner" && isId(parts[1]) &&
                 !roster.find(parts[1]) && fromUtf8(parts[2]))
            roster.m_learners.push_back({parts[1], cleanLearnerName(parts[2])});
    }
    return roster;
}

std::optional<int> LearnerRoster::save(const std::string& file) const {
    std::string text =
        std::string(kHeader) + "\nlast\t" + m_last + "\nnext\t" + std::to_string(m_nextId) + "\n";
    for (const Learner& learner : m_learners)
        text += "learner\t" + learner.id + "\t" + learner.name + "\n";
    return replaceFile(file, text);
}

const Learner* LearnerRoster::find(const std::string& id) const {
    const auto it = std::find_if(m_learners.begin(), m_learners.end(),
                                 [&](const Learner& l) { return l.id == id; });
    return it == m_learners.end() ? nullptr : &*it;
}

const Learner* LearnerRoster::findByName(const std::string& name) const {
    const auto it = std::find_if(m_learners.begin(), m_learners.end(),
                                 [&](const Learner& l) { return l.name == name; });
    return it == m_learners.end() ? nullptr : &*it;
}

const Learner* LearnerRoster::last() const {
    if (const Learner* learner = find(m_last))
        return learner;
    return m_learners.empty() ? nullptr : &m_learners.front();
}

std::string LearnerRoster::freeName(const std::string& name) const {
    std::string free = name;
    for (int n = 2; findByName(free); ++n)
        free = name + " " + std::to_string(n);
    return free;
}

const Learner& LearnerRoster::add(const std::string& name) {
    for (const Learner& learner : m_learners)
        m_nextId = std::max(m_nextId, std::atoi(learner.id.c_str()) + 1);
    m_learners.push_back({std::to_string(m_nextId++), freeName(cleanLearnerName(name))});
    return m_learners.back();
}

bool LearnerRoster::rename(const std::string& id, const std::string& name) {
    const std::string clean = cleanLearnerName(name);
    const Learner* other = findByName(clean);
    const auto it = std::find_if(m_learners.begin(), m_learners.end(),
                                 [&](const Learner& l) { return l.id == id; });
    if (it == m_learners.end() || clean.empty() || (other && other->id != id))
        return false;
    it->name = clean;
    return true;
}

void LearnerRoster::remove(const std::string& id) {
    std::erase_if(m_learners, [&](const Learner& l) { return l.id == id; });
}

std::string learnerRosterFile(const std::string& dataFolder) {
    return dataFolder + "/orvanta/learners.txt";
}

std::string learnerFolder(const std::string& dataFolder, const std::string& id) {
    if (id == kFirstId)
        return dataFolder + "/orvanta";
    return dataFolder + "/orvanta/learners/" + id;
}

std::string learnerJournalPath(const std::string& dataFolder, const std::string& id) {
    return learnerFolder(dataFolder, id) + "/journal.sqlite3";
}
