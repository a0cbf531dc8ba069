#include "tests/support/journal_rows.h"

#include <QStringList>
#include <sqlite3.h>

QString journalRows(const std::string& path, const QString& query) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, query.toUtf8().constData(), -1, &statement, nullptr);
    QStringList rows;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        QStringList columns;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            const auto* text = sqlite3_column_text(statement, c);
            columns << (text ? QString::fromUtf8(reinterpret_cast<const char*>(text))
                             : QStringLiteral("NULL"));
        }
        rows << columns.join(QLatin1Char('|'));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows.join(QLatin1Char('\n'));
}
