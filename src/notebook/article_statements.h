#pragma once

#include <QString>
#include <QStringList>

class DbValue;
class ExternalDatabase;

// The database side of the category selector and the article list: reads and statements that
// need no window, so tests and benchmarks run them on a bare connection.

// A field read where a text must stand: null reads as "", another type raises error_not_text.
QString field_text(const DbValue& value);

// Category names in 目录位置 order: positions 1 to n (n the number of categories), equal positions
// in table order, positions outside 1..n left out.
QStringList category_names_in_order(ExternalDatabase& db);

// Titles of the category's articles (文章所属 equal byte for byte) in 文章位置 order: positions 1
// to n with n the number of all articles of every category, equal positions in table order,
// positions outside 1..n left out. Never reads 文章内容.
QStringList article_titles_in_order(ExternalDatabase& db, const QString& category);

// Whether the category holds an article with this title; the engine looks up that one row.
bool article_title_exists(ExternalDatabase& db, const QString& category, const QString& title);

// The article's stored rich text: "" when it was never saved or no such article exists.
QString read_article_content(ExternalDatabase& db, const QString& category, const QString& title);

// Lowers by one every position of the category above the deleted one, each article exactly
// once whatever order the table holds them in. false when a statement failed.
bool close_position_gap(ExternalDatabase& db, const QString& category, int deleted_position);
