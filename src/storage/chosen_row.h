#pragma once

#include <QString>

#include <optional>

class ExternalDatabase;

// The one row of a table that a command means, found from what the command has at hand: a name
// (an article's title within its category, a category's name) and the position the list shows
// it at. Names are meant to be unique, but older files, restored archives or other tools can
// hold two rows of one name; the position then tells them apart. A write goes to the row found
// here and to no other.
struct RowChoice {
  QString table;
  // The statement's condition on the name, already quoted.
  QString name_condition;
  QString position_column;
  int position;
  // What the command does, for the line on standard error when no single row fits; empty for a
  // read, which changes nothing and leaves no line.
  QString action;
};

// The ID of the row that fits the name and the position, or else the only row of that name.
// nullopt when no row, or more than one, fits; more than one also leaves a line on standard
// error, since the command then changes nothing rather than several rows.
std::optional<qint64> find_chosen_row(ExternalDatabase& db, const RowChoice& choice);

// The condition that picks the row of that ID.
QString where_id(qint64 id);
