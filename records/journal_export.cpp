#include "records/journal_export.h"

#include "core/problem_text.h"

#include "records/scored_attempts.h"
#include "records/sqlite_statement.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string_view>

namespace {

// The first-try accuracy comes last, so that a sheet made for the columns
// before it still reads them.
const std::string kAttemptsSql =
    scoredAttempts() +
    " SELECT id, lesson, title, started_at, ended_at, elapsed_s, total, \"right\", wrong, speed,"
    " completed, name, mode, round(first_try, 1) AS first_try_accuracy FROM scored ORDER BY id";
constexpr const char* kMistakesSql =
    "SELECT attempt_id, position, expected, typed, kind, detail, preedit, corrected FROM mistakes"
    " ORDER BY attempt_id, rowid";

// A spreadsheet runs a cell that begins with one of these as a formula; the
// apostrophe makes it text.
bool looksLikeFormula(const std::string& text) {
    return !text.empty() && std::string_view("=+-@").find(text.front()) != std::string_view::npos;
}

std::string csvField(std::string text) {
    if (looksLikeFormula(text))
        text.insert(0, 1, '\'');
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    for (size_t at = text.find('"'); at != std::string::npos; at = text.find('"', at + 2))
        text.insert(at, 1, '"');
    return '"' + text + '"';
}

// Spreadsheets in China read a CSV file without it as GBK and garble the
// Japanese; with it they read UTF-8, and numbers stay numbers.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The header is the columns' names; values as SQLite writes them as text.
bool writeRows(sqlite3* db, std::string_view sql, std::ofstream& out) {
    Statement query(db, sql);
    if (!query.valid())
        return false;
    const int columns = query.columnCount();
    out << kByteOrderMark;
    for (int c = 0; c < columns; ++c)
        out << (c ? "," : "") << query.columnName(c);
    out << "\r\n";
    int stepped;
    while ((stepped = query.step()) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            out << (c ? "," : "") << csvField(query.text(c));
        out << "\r\n";
    }
    return stepped == SQLITE_DONE;
}

std::optional<std::string> writeTable(sqlite3* db, std::string_view sql, const std::string& path) {
    const std::string part = path + ".part";
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    if (!out)
        return path + "：" + errorText(errno);
    const bool rows = writeRows(db, sql, out);
    out.close();
    if (!rows || !out) {
        std::remove(part.c_str());
        return rows ? path + "：" + problemText(FileProblem::Failed) : sqliteProblemText(db);
    }
    if (std::rename(part.c_str(), path.c_str()) != 0) {
        std::string error = path + "：" + errorText(errno);
        std::remove(part.c_str());
        return error;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> exportCsv(const Journal& journal, const std::string& attemptsPath,
                                     const std::string& mistakesPath) {
    if (!journal.isOpen())
        return "练习日志没有打开";
    if (auto error = writeTable(journal.database(), kAttemptsSql, attemptsPath))
        return error;
    return writeTable(journal.database(), kMistakesSql, mistakesPath);
}
