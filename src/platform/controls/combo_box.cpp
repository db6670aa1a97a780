#include "platform/controls/combo_box.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QWheelEvent>

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  setInsertPolicy(QComboBox::NoInsert);
  // Qt reports keyboard, wheel and popup choices alike through activated, never program writes.
  connect(this, &QComboBox::activated, this, [this] { emit on_selection_changed(); });
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
  emit on_dropdown();
  QComboBox::showPopup();
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
  if (changes_selection(*event))
    emit on_dropdown();
  QComboBox::keyPressEvent(event);
}

void ComboBox::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if ((delta > 0 && can_step_up()) || (delta < 0 && can_step_down()))
    emit on_dropdown();
  QComboBox::wheelEvent(event);
}

bool ComboBox::can_step_up() const {
  return currentIndex() > 0;
}

bool ComboBox::can_step_down() const {
  return currentIndex() < count() - 1;
}

bool ComboBox::changes_selection(const QKeyEvent& event) const {
  // Alt with an arrow opens the popup, which raises on_dropdown itself.
  if (count() == 0 || (event.modifiers() & Qt::AltModifier))
    return false;
  switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_PageUp:
    case Qt::Key_Home:
      return can_step_up();
    case Qt::Key_Down:
    case Qt::Key_Right:
    case Qt::Key_PageDown:
    case Qt::Key_End:
      return can_step_down();
    default:
      // Typing a letter selects the next item that starts with it.
      return !event.text().isEmpty() && event.text().at(0).isLetterOrNumber();
  }
}
