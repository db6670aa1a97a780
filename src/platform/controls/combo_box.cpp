#include "platform/controls/combo_box.h"

#include <QSignalBlocker>
#include <QStyle>

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  setInsertPolicy(QComboBox::NoInsert);
  // Only the popup's choices come through activated; key and wheel steps raise their own events.
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (index != index_before_popup_)
      emit on_selection_changed();
  });
}

void ComboBox::combo_add_item(const QString& text) {
  const QSignalBlocker blocker(this);
  const int selected = currentIndex();
  addItem(text);
  // The first item added must not become selected on its own.
  setCurrentIndex(selected);
}

void ComboBox::combo_clear() {
  const QSignalBlocker blocker(this);
  clear();
}

int ComboBox::combo_item_count() const {
  return count();
}

QString ComboBox::combo_item_text(int index) const {
  return index >= 0 && index < count() ? itemText(index) : QString();
}

int ComboBox::selected_index() const {
  return currentIndex();
}

void ComboBox::set_selected_index(int index) {
  const QSignalBlocker blocker(this);
  setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

void ComboBox::set_selection_field_height(int pixels) {
  const int frame = style()->pixelMetric(QStyle::PM_ComboBoxFrameWidth, nullptr, this);
  setFixedHeight(pixels + 2 * frame);
}

void ComboBox::showPopup() {
  if (stepping_) {
    popup_held_ = true;
    return;
  }
  index_before_popup_ = currentIndex();
  dropdown_refused_ = false;
  emit on_dropdown();
  if (!dropdown_refused_)
    QComboBox::showPopup();
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
  step_selection([this, event] { QComboBox::keyPressEvent(event); });
}

void ComboBox::wheelEvent(QWheelEvent* event) {
  step_selection([this, event] { QComboBox::wheelEvent(event); });
}

void ComboBox::step_selection(const std::function<void()>& qt_handling) {
  const int before = currentIndex();
  {
    const QSignalBlocker blocker(this);
    stepping_ = true;
    qt_handling();
    stepping_ = false;
  }
  if (popup_held_) {
    popup_held_ = false;
    showPopup();
    return;
  }
  const int after = currentIndex();
  if (after == before)
    return;
  set_selected_index(before);
  dropdown_refused_ = false;
  emit on_dropdown();
  if (dropdown_refused_)
    return;
  set_selected_index(after);
  emit on_selection_changed();
}
