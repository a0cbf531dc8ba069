#pragma once

#include "core/code_page.h"
#include "records/score_record.h"

#include <optional>
#include <string>

// The history file `user.cey`: score records appended in GBK, shown whole,
// deleted whole. The file is opened and closed within each operation.
class HistoryFile {
  public:
    HistoryFile(std::string path, CodePage& codePage)
        : m_path(std::move(path)), m_codePage(codePage) {}

    // Appends the record in one write and flushes it to disk, so that two
    // programs saving at once keep both records whole. On failure nothing of
    // the record stays in the file and the reason is returned.
    std::optional<std::string> AppendScoreRecord(const ScoreRecord& record);

    // The whole text; bytes that are no GBK character show as U+FFFD.
    // Nothing when the file cannot be read (or does not exist).
    std::optional<std::u16string> ReadHistoryText() const;

    // Removes the file; false when there was none or it cannot be removed.
    bool DeleteHistoryFile();

    const std::string& path() const { return m_path; }

  private:
    std::string m_path;
    CodePage& m_codePage;
};
