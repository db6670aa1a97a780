#include "platform/close_box_dialog.h"

#include <QKeyEvent>

void CloseBoxDialog::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Cancel))
    return;
  QDialog::keyPressEvent(event);
}
