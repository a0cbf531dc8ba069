#pragma once

#include "core/regular_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A small text file of one entry a line kept beside a lesson (its corrected
// readings, its sentence cuts): blank lines and lines that begin with '#' are
// passed over, a line that holds no entry is named by its number, and a file
// that exists but could not be read says why.
template <class Entry> struct EntryLines {
    std::vector<Entry> entries;
    std::vector<std::size_t> badLines; // 1-based
    std::optional<FileProblem> unreadable;
};

// `parseLine` takes a line without its line end and gives an optional Entry.
template <class Entry, class ParseLine>
EntryLines<Entry> parseEntryLines(std::string_view bytes, ParseLine parseLine) {
    EntryLines<Entry> read;
    std::size_t number = 0;
    while (!bytes.empty()) {
        const auto end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        ++number;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty() || line.starts_with('#'))
            continue;
        if (const std::optional<Entry> entry = parseLine(line))
            read.entries.push_back(*entry);
        else
            read.badLines.push_back(number);
    }
    return read;
}

// The file at `path` through the bounded reader; a missing file has no entries
// and no problem.
template <class Entry, class ParseBytes>
EntryLines<Entry> readEntryLines(const std::string& path, std::size_t limit,
                                 ParseBytes parseBytes) {
    const auto read = readRegularFile(path, limit);
    if (const auto* bytes = std::get_if<std::string>(&read))
        return parseBytes(*bytes);
    EntryLines<Entry> none;
    if (std::get<FileProblem>(read) != FileProblem::Missing)
        none.unreadable = std::get<FileProblem>(read);
    return none;
}
