#pragma once

#include <QString>
#include <string>

// The rows `query` gives on the journal at `path`, opened read-only as another
// program would: columns joined by '|', rows by '\n', NULL as "NULL".
QString journalRows(const std::string& path, const QString& query);
