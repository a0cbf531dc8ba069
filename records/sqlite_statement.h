#pragma once

#include <cstdint>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>

// One prepared SQLite statement, finalised with its owner. Binding and column
// indexes are 1-based and 0-based as in the C API.
class Statement {
  public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // False when the SQL did not compile; the reason is in sqlite3_errmsg.
    bool valid() const { return m_statement != nullptr; }

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, double value);
    Statement& bind(int index, std::string_view text);
    Statement& bindNull(int index);
    // The text, or NULL when it is empty.
    Statement& bindOrNull(int index, std::string_view text);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Makes the statement ready to run again with new bindings.
    void reset();

    std::int64_t integer(int column) const;
    double real(int column) const;
    // Nothing for a NULL value.
    std::optional<double> optionalReal(int column) const;
    std::string text(int column) const;
    bool isNull(int column) const {
        return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
    }
    int columnCount() const { return sqlite3_column_count(m_statement); }
    const char* columnName(int column) const { return sqlite3_column_name(m_statement, column); }

  private:
    sqlite3_stmt* m_statement = nullptr;
};

// Why the connection's last call failed, in Chinese words (UTF-8).
std::string sqliteProblemText(sqlite3* db);

// Runs SQL without results (several statements allowed); the SQLite result code.
int execute(sqlite3* db, const char* sql);
