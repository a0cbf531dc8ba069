#include "records/journal_version.h"

#include "records/journal.h"
#include "records/sqlite_statement.h"

bool journalNeedsUpgrade(const std::string& path) {
    sqlite3* db = nullptr;
    bool older = false;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        Statement version(db, "PRAGMA user_version");
        older = version.step() == SQLITE_ROW && version.integer(0) > 0 &&
                version.integer(0) < Journal::kSchemaVersion;
    }
    sqlite3_close(db);
    return older;
}
