#include "platform/controls/edit_box.h"

#include <QKeyEvent>

#include "platform/controls/key_code.h"
#include "platform/controls/shift_state.h"

EditBox::EditBox(QWidget* parent) : QLineEdit(parent) {}

void EditBox::keyPressEvent(QKeyEvent* event) {
  emit on_key_down(key_code(event->key()), shift_state(event->modifiers()));
  QLineEdit::keyPressEvent(event);
}
