#pragma once

#include "core/code_page.h"
#include "core/regular_file.h"
#include "records/score_record.h"

#include <cstddef>
#include <optional>
#include <string>
#include <variant>

// The history file `user.cey`: score records appended in GBK, shown a part
// at a time, deleted whole. The file is opened and closed within each operation, and only
// a regular file is read or written.
class HistoryFile {
  public:
    HistoryFile(std::string path, CodePage& codePage)
        : m_path(std::move(path)), m_codePage(codePage) {}

    // Appends the record in one write and flushes it to disk. Savers take turns,
    // so that two programs saving at once keep both records whole. On any
    // failure the file is cut back to its old length, so that nothing of the
    // record stays, and the problem is returned.
    std::optional<FileProblem> AppendScoreRecord(const ScoreRecord& record);

    // Up to `length` of the file's GBK bytes from `offset` on, and its size.
    std::variant<FilePart, FileProblem> ReadHistoryPart(size_t offset, size_t length) const;

    // Removes the file; false when there was none, it is a folder or it cannot
    // be removed.
    bool DeleteHistoryFile();

    const std::string& path() const { return m_path; }
    CodePage& codePage() const { return m_codePage; }

  private:
    std::string m_path;
    CodePage& m_codePage;
};
