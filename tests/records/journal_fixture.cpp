#include "tests/records/journal_fixture.h"

#include <unistd.h>

namespace fs = std::filesystem;

void JournalFixture::SetUp() {
    m_dir = fs::temp_directory_path() /
            ("orvanta-journal-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
}

void JournalFixture::TearDown() {
    fs::remove_all(m_dir);
}

std::string JournalFixture::rows(const std::string& sql) const {
    sqlite3* db = nullptr;
    std::string result;
    if (sqlite3_open_v2(journalPath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return "<cannot open>";
    }
    sqlite3_stmt* query = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &query, nullptr) != SQLITE_OK)
        result = std::string("<") + sqlite3_errmsg(db) + ">";
    while (query && sqlite3_step(query) == SQLITE_ROW) {
        if (!result.empty())
            result += "\n";
        for (int c = 0; c < sqlite3_column_count(query); ++c) {
            const auto* text = sqlite3_column_text(query, c);
            result +=
                (c ? "|" : "") + (text ? std::string(reinterpret_cast<const char*>(text)) : "NULL");
        }
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    return result;
}

std::string JournalFixture::scalar(const std::string& sql) const {
    const std::string all = rows(sql);
    if (all.empty())
        return "<none>";
    return all.substr(0, all.find_first_of("|\n"));
}

JournalAttempt JournalFixture::attempt(std::string lesson, std::string endedAt, double speed,
                                       Pos right, Pos total) {
    return JournalAttempt{
        lesson, lesson + " title", endedAt, endedAt, {60, total, right, total - right, speed},
        true};
}
