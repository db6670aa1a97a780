#pragma once

#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/database.h"

// A row of a list fill: its stored position and the field it shows.
struct PlacedValue {
  int position;
  DbValue shown;
};

// The shown texts of rows already in table order, by position: equal positions keep table order,
// and only positions in 1..count are kept. count is asked for only when some position lies
// beyond the rows at hand, since the rows never outnumber it.
template <class Count>
QStringList texts_in_position_order(std::vector<PlacedValue> rows, Count count) {
  std::stable_sort(rows.begin(), rows.end(), [](const PlacedValue& a, const PlacedValue& b) {
    return a.position < b.position;
  });
  const int rows_at_hand = static_cast<int>(rows.size());
  std::optional<int> n;
  QStringList texts;
  texts.reserve(rows_at_hand);
  for (const PlacedValue& row : rows) {
    if (row.position < 1)
      continue;
    if (row.position > rows_at_hand) {
      if (!n)
        n = count();
      if (row.position > *n)
        break;
    }
    texts.append(db_value_text(row.shown));
  }
  return texts;
}

// How many rows the table holds.
int count_rows(ExternalDatabase& db, const QString& table);

// Reads column 1 as the position and column 2 as the shown field of every row of the query.
std::vector<PlacedValue> read_placed_values(ExternalDatabase& db, const QString& sql);
