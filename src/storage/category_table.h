#pragma once

#include <QString>
#include <QStringList>

class ExternalDatabase;

// Every statement on 目录管理, the category table. A category is found by its name (目录名称),
// compared byte for byte, and, where two categories share the name, by the position the
// manager's list shows it at; its articles refer to it by that name. A write that cannot single
// out its category changes nothing and gives false.

// Category names in 目录位置 order: positions 1 to n (n the number of categories), equal positions
// in table order, positions outside 1..n left out.
QStringList category_names_in_order(ExternalDatabase& db);

// Whether a category has this name; a missing name counts as the empty one. The engine looks up
// that one row instead of walking the table.
bool category_name_exists(ExternalDatabase& db, const QString& name);

// select count(*) of the whole table.
int count_categories(ExternalDatabase& db);

// A new category at the given position. false when it failed.
bool insert_category(ExternalDatabase& db, int position, const QString& name);

// The category and its articles take the new name together or not at all, so no article is left
// under a name that no category has. While another category keeps the old name, the articles
// stay with it.
bool rename_category_with_articles(ExternalDatabase& db, const QString& old_name, int position,
                                   const QString& new_name);

// The category named lower_name takes upper_position and the one named upper_name the position
// after it: both or neither, so two categories never end at one position.
bool swap_category_positions(ExternalDatabase& db, int upper_position, const QString& upper_name,
                             const QString& lower_name);

// Deletes the category at the position, its articles (unless another category keeps its name),
// and lowers every later position by one, all together or nothing: a failure keeps neither
// articles without a category nor a gap that would hide the last category.
bool delete_category_with_articles(ExternalDatabase& db, const QString& name, int position);
