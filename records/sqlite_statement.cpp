#include "records/sqlite_statement.h"

#include "core/problem_text.h"

Statement::Statement(sqlite3* db, std::string_view sql) {
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr) !=
        SQLITE_OK)
        m_statement = nullptr;
}

Statement::~Statement() {
    sqlite3_finalize(m_statement);
}

Statement& Statement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(m_statement, index, value);
    return *this;
}

Statement& Statement::bind(int index, double value) {
    sqlite3_bind_double(m_statement, index, value);
    return *this;
}

Statement& Statement::bindNull(int index) {
    sqlite3_bind_null(m_statement, index);
    return *this;
}

Statement& Statement::bindOrNull(int index, std::string_view text) {
    return text.empty() ? bindNull(index) : bind(index, text);
}

Statement& Statement::bind(int index, std::string_view text) {
    sqlite3_bind_text(m_statement, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
    return *this;
}

int Statement::step() {
    return m_statement ? sqlite3_step(m_statement) : SQLITE_MISUSE;
}

void Statement::reset() {
    if (!m_statement)
        return; // it never compiled: there is nothing to reset
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(m_statement, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(m_statement, column);
}

std::optional<double> Statement::optionalReal(int column) const {
    if (sqlite3_column_type(m_statement, column) == SQLITE_NULL)
        return std::nullopt;
    return real(column);
}

std::string Statement::text(int column) const {
    const auto* bytes = sqlite3_column_text(m_statement, column);
    if (!bytes)
        return {};
    return std::string(reinterpret_cast<const char*>(bytes),
                       static_cast<size_t>(sqlite3_column_bytes(m_statement, column)));
}

std::string sqliteProblemText(sqlite3* db) {
    switch (sqlite3_errcode(db) & 0xff) {
    case SQLITE_FULL:
        return problemText(FileProblem::DiskFull);
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return problemText(FileProblem::NoPermission);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return problemText(FileProblem::Busy);
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "文件已损坏";
    case SQLITE_NOMEM:
        return "内存不足";
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        if (const int error = sqlite3_system_errno(db))
            return errorText(error);
        return problemText(FileProblem::Failed);
    default:
        return "数据库出错（代码 " + std::to_string(sqlite3_errcode(db)) + "）";
    }
}

int execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}
