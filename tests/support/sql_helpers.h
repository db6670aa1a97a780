#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "platform/database.h"

// Rows for tests, written and read with the engine's own bound statements so that neither
// depends on the program's quoting or record sets. Each returns false or nothing when the
// connection is closed or the statement fails.

// A category row; returns its ID, or 0 on failure.
qint64 seed_category(ExternalDatabase& db, const QString& name, const QString& position);
// An article row with both time stamps set to stamp; content nullopt leaves 文章内容 NULL, as a
// new article that was never saved has it. Returns its ID, or 0 on failure.
qint64 seed_article(ExternalDatabase& db, const QString& category, const QString& position,
                    const QString& title, const std::optional<QString>& content,
                    const QString& stamp = QStringLiteral("2024-01-02 03:04:05"));
// Gives the article of this ID a body of raw bytes, stored as TEXT (however invalid as UTF-8) or as
// a BLOB, as other programs and old notebooks leave them.
enum class BodyType { text, blob };
bool seed_article_body(ExternalDatabase& db, qint64 id, const QByteArray& bytes, BodyType type);
// Any statement, for rows the helpers above cannot make (positions stored as numbers, say).
bool seed_sql(ExternalDatabase& db, const QString& sql);

// Every row of a query, each field as text: texts as stored, numbers as the engine writes them
// (3, 2.5), NULL as a null QString (ask "x is null" in the query where NULL and "" must be told
// apart).
std::vector<QStringList> query_rows(ExternalDatabase& db, const QString& sql);
// Every row of a table in ID order, all columns.
std::vector<QStringList> table_rows(ExternalDatabase& db, const QString& table);
// The number of rows of a table; -1 when it cannot be counted.
int row_count(ExternalDatabase& db, const QString& table);
