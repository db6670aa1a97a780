#pragma once

#include <QIcon>
#include <QStringList>
#include <QTreeWidget>

#include <functional>

// A list in report view. A program write of current_row raises on_current_row_changed before it
// returns, as a selection by the user does; clearing or filling raises nothing and leaves no row
// current. An open in-place edit ends on its own row before any of these changes the rows.
class ReportList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ReportList(QWidget* parent = nullptr);

  // Columns: header text, width in pixels, alignment code (0 left, 1 centre, 2 right).
  void add_column(const QString& header, int width, int alignment_code = 0);
  void set_row_picture(const QIcon& picture);

  void listview_clear();
  // Appends a row after the last one and gives its index; text goes into column 0.
  int listview_insert_row(const QString& text = {}, int image = 0);
  // Appends rows after the last one, each with the texts of its columns from column 0, in one
  // insertion: much faster than a row at a time for long lists.
  void listview_append_rows(const QList<QStringList>& rows, int image = 0);
  void listview_delete_row(int row);
  int listview_row_count() const;
  // "" for row -1 or a row that does not exist.
  QString listview_get_cell_text(int row, int column = 0) const;
  void listview_set_cell_text(int row, int column, const QString& text);
  void listview_ensure_visible(int row);
  // Opens the in-place editor on the row's text (column 0).
  void listview_edit_label(int row);

  int current_row() const;
  void set_current_row(int row);
  // Makes the row current again without raising on_current_row_changed, for a handler that
  // cannot follow a change it was told of (-1: no row).
  void restore_current_row(int row);

  // While an in-place edit ends: the text the user typed, and the row it was opened on.
  QString edited_label() const { return edited_label_; }
  int edited_row() const;
  // The handler of on_label_edit_ended answers: false keeps the old text.
  void set_label_edit_handler(std::function<bool()> handler);
  // Ends an open in-place edit on its own row, as Enter does, for a command that is about to
  // change what the row stands for (another category, the program's end).
  void end_label_edit();

 signals:
  void on_current_row_changed();
  void on_right_click();

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  QTreeWidgetItem* new_row(const QStringList& texts, int image) const;

  QString edited_label_;
  QPersistentModelIndex edited_index_;
  std::function<bool()> label_edit_handler_;
  QIcon row_picture_;
  // The row on_current_row_changed last reported, so a write of the same row raises nothing.
  int reported_row_ = -1;
};
