#pragma once

#include <QIcon>
#include <QStringList>
#include <QTreeView>

#include "platform/text_rows.h"

class ResultRowsModel;

// A list in report view that shows a result read whole, such as a search's hits: the rows are
// given at once and only looked at, so that a hundred thousand of them cost little more than
// reading them. Every row carries the row picture in column 0. The user may choose a row; no
// event is raised, and filling or clearing leaves no row current.
class ResultList : public QTreeView {
  Q_OBJECT

 public:
  explicit ResultList(QWidget* parent = nullptr);
  ~ResultList() override;

  // Columns: header text, width in pixels, alignment code (0 left, 1 centre, 2 right).
  void add_column(const QString& header, int width, int alignment_code = 0);
  void set_row_picture(const QIcon& picture);
  int column_count() const;
  QString header_text(int column) const;
  const QIcon& row_picture() const;

  // Empties the list and hands its rows over, so that the next fill can reuse their memory.
  TextRows listview_take_rows();
  // Replaces the rows: the texts of each row go into the columns from first_column on, the
  // columns before it stay empty.
  void listview_set_rows(TextRows rows, int first_column);
  int listview_row_count() const;
  // "" for row -1 or a cell that does not exist.
  QString listview_get_cell_text(int row, int column = 0) const;

  int current_row() const;
  // -1 chooses no row.
  void set_current_row(int row);

 private:
  ResultRowsModel* rows_;
};
