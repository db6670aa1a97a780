#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

// Rows of texts of a fixed number of columns, kept as their UTF-8 bytes in one buffer: a result
// of many rows costs a few allocations rather than one per cell, and a cell becomes a QString
// only when it is read.
class TextRows {
 public:
  explicit TextRows(int columns = 1) : columns_(columns > 0 ? columns : 1) {}

  int columns() const { return columns_; }
  int row_count() const { return static_cast<int>(ends_.size()) / columns_; }
  // "" outside the rows and columns.
  QString text(int row, int column) const;

  // Adds the next cell, filling the rows left to right; a row is there once its last cell is.
  void append(QByteArrayView utf8);
  // Empties the rows and sets their width, keeping the room they had: a refill of about the same
  // size then writes into memory already in use instead of fresh pages.
  void clear(int columns);

 private:
  int columns_;
  QByteArray bytes_;
  std::vector<qsizetype> ends_;  // where each cell's bytes end
};
