// Opens journals made of any bytes, or of a journal changed by any SQL (tables
// dropped, columns gone, any version written), then writes an attempt and
// makes the cards of an upgrade: nothing may crash, and a journal either
// opens and takes the attempt, or gives a reason.
#include "records/journal.h"
#include "records/sqlite_statement.h"
#include "review/card_backfill.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

class NoLessons final : public LenderLessons {
  public:
    std::optional<LenderLesson> read(const std::string&) override { return std::nullopt; }
};

// The SQL may change the journal only: no other file is attached.
int denyAttach(void*, int action, const char*, const char*, const char*, const char*) {
    return action == SQLITE_ATTACH || action == SQLITE_DETACH ? SQLITE_DENY : SQLITE_OK;
}

void changeBySql(const std::string& path, const std::string& sql) {
    Journal(path).open();
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) == SQLITE_OK) {
        sqlite3_set_authorizer(db, denyAttach, nullptr);
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
}

void openAndWrite(const std::string& path) {
    Journal journal(path);
    const Journal::Opening opening = journal.open();
    check(journal.isOpen() != opening.error.has_value());
    if (!journal.isOpen())
        return;
    NoLessons lessons;
    makeCardsFromHistory(journal.database(), lessons, nullptr);
    const JournalAttempt attempt{"J01A",
                                 "t",
                                 "2026-03-02T09:05:03+08:00",
                                 "2026-03-02T09:10:15+08:00",
                                 {312, 128, 120, 8, 24.6},
                                 true};
    journal.record(attempt, {JournalMistake{3, u"時", u"持"}});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static const fs::path folder =
        fs::temp_directory_path() / ("orvanta-journal-fuzz-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "journal.sqlite3").string();
    if (size == 0)
        return 0;
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] & 1)
        changeBySql(path, rest);
    else
        std::ofstream(path, std::ios::binary) << rest;
    openAndWrite(path);
    return 0;
}
