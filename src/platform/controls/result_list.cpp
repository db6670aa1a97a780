#include "platform/controls/result_list.h"

#include <QAbstractTableModel>

#include <utility>
#include <vector>

#include "platform/controls/report_view_look.h"

// The rows as the view reads them: a cell's text is made only when the view shows it.
class ResultRowsModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : rows_.row_count();
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
  }

  QString text(int row, int column) const { return rows_.text(row, column - first_column_); }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid())
      return {};
    if (role == Qt::DisplayRole)
      return text(index.row(), index.column());
    if (role == Qt::DecorationRole && index.column() == 0 && !picture_.isNull())
      return picture_;
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
      return {};
    if (role == Qt::DisplayRole)
      return headers_[static_cast<std::size_t>(section)].first;
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(headers_[static_cast<std::size_t>(section)].second);
    return {};
  }

  void add_column(const QString& header, Qt::Alignment alignment) {
    const int column = columnCount();
    beginInsertColumns({}, column, column);
    headers_.emplace_back(header, alignment);
    endInsertColumns();
  }

  TextRows take_rows() {
    beginResetModel();
    TextRows rows = std::move(rows_);
    rows_ = TextRows();
    endResetModel();
    return rows;
  }

  void set_rows(TextRows rows, int first_column) {
    beginResetModel();
    rows_ = std::move(rows);
    first_column_ = first_column;
    endResetModel();
  }

  const QIcon& picture() const { return picture_; }
  void set_picture(const QIcon& picture) { picture_ = picture; }

 private:
  QIcon picture_;
  std::vector<std::pair<QString, Qt::Alignment>> headers_;
  TextRows rows_;
  int first_column_ = 0;
};

ResultList::ResultList(QWidget* parent) : QTreeView(parent), rows_(new ResultRowsModel(this)) {
  setModel(rows_);
  set_report_view_look(*this);
}

ResultList::~ResultList() = default;

void ResultList::add_column(const QString& header_text, int width, int alignment_code) {
  const Qt::Alignment alignment = alignment_code == 1   ? Qt::AlignHCenter
                                  : alignment_code == 2 ? Qt::AlignRight
                                                        : Qt::AlignLeft;
  rows_->add_column(header_text, alignment | Qt::AlignVCenter);
  setColumnWidth(rows_->columnCount() - 1, width);
}

void ResultList::set_row_picture(const QIcon& picture) {
  rows_->set_picture(picture);
}

int ResultList::column_count() const {
  return rows_->columnCount();
}

QString ResultList::header_text(int column) const {
  return rows_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

const QIcon& ResultList::row_picture() const {
  return rows_->picture();
}

TextRows ResultList::listview_take_rows() {
  return rows_->take_rows();
}

void ResultList::listview_set_rows(TextRows rows, int first_column) {
  rows_->set_rows(std::move(rows), first_column);
}

int ResultList::listview_row_count() const {
  return rows_->rowCount();
}

QString ResultList::listview_get_cell_text(int row, int column) const {
  return column >= 0 && column < rows_->columnCount() ? rows_->text(row, column) : QString();
}

int ResultList::current_row() const {
  const QModelIndexList selected = selectionModel()->selectedRows();
  return selected.isEmpty() ? -1 : selected.first().row();
}

void ResultList::set_current_row(int row) {
  if (row < 0 || row >= listview_row_count()) {
    selectionModel()->clear();
    return;
  }
  setCurrentIndex(rows_->index(row, 0));
  selectionModel()->select(rows_->index(row, 0),
                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}
