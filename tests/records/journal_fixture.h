#pragma once

#include "records/journal.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>

// A temporary folder per test, and direct SQL on the journal file to see what
// was really written.
class JournalFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string journalPath() const { return (m_dir / "orvanta" / "journal.sqlite3").string(); }
    // The first column of the first row, as text; "<none>" without a row.
    std::string scalar(const std::string& sql) const;
    // All rows, columns joined by "|", rows by "\n".
    std::string rows(const std::string& sql) const;

    static JournalAttempt attempt(std::string lesson, std::string endedAt, double speed = 30,
                                  Pos right = 18, Pos total = 20);

    std::filesystem::path m_dir;
};
