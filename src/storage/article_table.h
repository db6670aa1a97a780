#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/text_rows.h"

class ExternalDatabase;

// Every statement on 文章管理, the article table. Each takes the connection and plain values; an
// article is found by its category (文章所属) and title (文章标题), compared byte for byte, and,
// where two articles of the category share the title, by the position the list shows it at (its
// row + 1). A write that cannot single out its article changes nothing and gives false.

// Titles of the category's articles in 文章位置 order: positions 1 to n with n the number of all
// articles of every category, equal positions in table order, positions outside 1..n left out.
// Never reads 文章内容.
QStringList article_titles_in_order(ExternalDatabase& db, const QString& category);

// Whether the category holds an article with this title; the engine looks up that one row.
bool article_title_exists(ExternalDatabase& db, const QString& category, const QString& title);

// The article's stored rich text as the bytes the row holds, whatever the column's type: none when
// it was never saved or no such article exists.
QByteArray read_article_content(ExternalDatabase& db, const QString& category, const QString& title,
                                int position);

// The stored fields that the properties box shows, each of which must be text.
struct ArticleFields {
  QString category;
  QString position;
  QString title;
  QString created;
  QString changed;
};
ArticleFields read_article_fields(ExternalDatabase& db, const QString& category,
                                  const QString& title, int position);

// The columns of what the title search lists of each article.
enum TitleSearchColumn { hit_title, hit_category, hit_created, hit_changed, hit_columns };
// Every article of every category whose title is like '%text%' (the text's % and _ keep their
// meaning), in table order, each field read as text. Reads only the listed columns, never
// 文章内容. The hits are written into room, a former result whose memory is reused.
TextRows articles_titled_like(ExternalDatabase& db, const QString& text,
                              TextRows room = TextRows());

// select count(*) of the whole table, every category's articles.
int count_articles(ExternalDatabase& db);

// A new article without content, stamped created and changed at stamp. false when it failed.
bool insert_article(ExternalDatabase& db, const QString& category, const QString& position,
                    const QString& title, const QString& stamp);

// Content and stamp are stored together or not at all, in one write of the row. false when the
// article was not found or a statement failed; nothing is stored then.
bool store_article_content(ExternalDatabase& db, const QString& category, const QString& title,
                           int position, const QString& content, const QString& stamp);

// Stamps the article at stamp and gives it its new title, both or neither.
bool rename_article(ExternalDatabase& db, const QString& category, const QString& old_title,
                    int position, const QString& new_title, const QString& stamp);

// Two articles of the category exchange positions: the first, now at second_position, takes
// first_position, and the second, now at first_position, takes second_position; both or
// neither. false when a statement failed or an article was not found: nothing changed then.
bool set_two_article_positions(ExternalDatabase& db, const QString& category,
                               const QString& first_title, int first_position,
                               const QString& second_title, int second_position);

// Deletes the article at the given position and lowers every position of its category above it
// by one, together or not at all. false when nothing changed, also when no article had
// the title (the later positions would otherwise close a gap that is not there).
bool remove_article_closing_gap(ExternalDatabase& db, const QString& category, const QString& title,
                                int position);

// The articles of a category that is renamed or deleted; run inside the category's own
// transaction.
bool move_articles_to_category(ExternalDatabase& db, const QString& old_name,
                               const QString& new_name);
bool delete_articles_of_category(ExternalDatabase& db, const QString& name);
