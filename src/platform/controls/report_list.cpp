#include "platform/controls/report_list.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "platform/controls/report_view_look.h"

namespace {

// Lets the list's handler of on_label_edit_ended decide whether the typed title stands.
class LabelEditDelegate : public QStyledItemDelegate {
 public:
  using Commit = std::function<bool(const QString&)>;
  LabelEditDelegate(QObject* parent, Commit commit)
      : QStyledItemDelegate(parent), commit_(std::move(commit)) {}

  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line != nullptr && commit_(line->text()))
      QStyledItemDelegate::setModelData(editor, model, index);
  }

 private:
  Commit commit_;
};

}  // namespace

ReportList::ReportList(QWidget* parent) : QTreeWidget(parent) {
  set_report_view_look(*this);
  setColumnCount(0);
  setItemDelegate(new LabelEditDelegate(this, [this](const QString& text) {
    edited_label_ = text;
    return label_edit_handler_ ? label_edit_handler_() : true;
  }));
  // The selected row is the current row; focus alone moving a cursor onto a row is no choice.
  connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
    const int row = current_row();
    if (row == reported_row_)
      return;
    reported_row_ = row;
    emit on_current_row_changed();
  });
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this, [this] { emit on_right_click(); });
}

void ReportList::add_column(const QString& header_text, int width, int alignment_code) {
  const int column = columnCount();
  setColumnCount(column + 1);
  QTreeWidgetItem* header = headerItem();
  header->setText(column, header_text);
  const Qt::Alignment alignment = alignment_code == 1   ? Qt::AlignHCenter
                                  : alignment_code == 2 ? Qt::AlignRight
                                                        : Qt::AlignLeft;
  header->setTextAlignment(column, alignment | Qt::AlignVCenter);
  setColumnWidth(column, width);
}

void ReportList::set_row_picture(const QIcon& picture) {
  row_picture_ = picture;
}

void ReportList::listview_clear() {
  end_label_edit();
  const QSignalBlocker blocker(this);
  clear();
  setCurrentItem(nullptr);
  reported_row_ = -1;
}

QTreeWidgetItem* ReportList::new_row(const QStringList& texts, int image) const {
  auto* item = new QTreeWidgetItem(texts);
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  if (image == 0 && !row_picture_.isNull())
    item->setIcon(0, row_picture_);
  return item;
}

int ReportList::listview_insert_row(const QString& text, int image) {
  end_label_edit();
  const QSignalBlocker blocker(this);
  addTopLevelItem(new_row({text}, image));
  return topLevelItemCount() - 1;
}

void ReportList::listview_append_rows(const QList<QStringList>& rows, int image) {
  QList<QTreeWidgetItem*> items;
  items.reserve(rows.size());
  for (const QStringList& texts : rows)
    items.append(new_row(texts, image));
  end_label_edit();
  const QSignalBlocker blocker(this);
  addTopLevelItems(items);
}

void ReportList::listview_delete_row(int row) {
  if (row < 0 || row >= topLevelItemCount())
    return;
  end_label_edit();
  const QSignalBlocker blocker(this);
  delete takeTopLevelItem(row);
  reported_row_ = current_row();
}

int ReportList::listview_row_count() const {
  return topLevelItemCount();
}

QString ReportList::listview_get_cell_text(int row, int column) const {
  const QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr;
  return item != nullptr ? item->text(column) : QString();
}

void ReportList::listview_set_cell_text(int row, int column, const QString& text) {
  if (QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr)
    item->setText(column, text);
}

void ReportList::listview_ensure_visible(int row) {
  if (QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr)
    scrollToItem(item);
}

void ReportList::listview_edit_label(int row) {
  QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr;
  if (item == nullptr)
    return;
  end_label_edit();
  edited_index_ = indexFromItem(item, 0);
  editItem(item, 0);
}

int ReportList::edited_row() const {
  return edited_index_.isValid() ? edited_index_.row() : -1;
}

void ReportList::end_label_edit() {
  // Qt ends an edit only once the current row has moved on, and the handler would then read the
  // new row as the one being renamed; so every change of rows or selection ends it first.
  if (QWidget* editor = edited_index_.isValid() ? indexWidget(edited_index_) : nullptr) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

int ReportList::current_row() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void ReportList::set_current_row(int row) {
  end_label_edit();
  QTreeWidgetItem* item = row >= 0 ? topLevelItem(row) : nullptr;
  if (item == nullptr) {
    // No row: the selection goes, silently, as no row was chosen.
    const QSignalBlocker blocker(this);
    clearSelection();
    setCurrentItem(nullptr);
    reported_row_ = -1;
    return;
  }
  setCurrentItem(item, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ReportList::restore_current_row(int row) {
  const QSignalBlocker blocker(this);
  set_current_row(row);
  reported_row_ = current_row();
}

QItemSelectionModel::SelectionFlags ReportList::selectionCommand(const QModelIndex& index,
                                                                 const QEvent* event) const {
  const QItemSelectionModel::SelectionFlags command = QTreeWidget::selectionCommand(index, event);
  // The user may choose another row but not leave the list without one (Ctrl+click, Ctrl+Space):
  // with no current row the loaded article's unsaved text could no longer be saved.
  if (command.testFlag(QItemSelectionModel::Deselect) ||
      (command.testFlag(QItemSelectionModel::Clear) && !index.isValid()))
    return QItemSelectionModel::NoUpdate;
  return command;
}

void ReportList::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // Tab and Shift+Tab end the edit like Enter: Qt would go on to edit the next row's title, and
  // that edit would end on the row this one was opened on.
  if (hint == QAbstractItemDelegate::EditNextItem ||
      hint == QAbstractItemDelegate::EditPreviousItem)
    hint = QAbstractItemDelegate::NoHint;
  QTreeWidget::closeEditor(editor, hint);
}

void ReportList::set_label_edit_handler(std::function<bool()> handler) {
  label_edit_handler_ = std::move(handler);
}
