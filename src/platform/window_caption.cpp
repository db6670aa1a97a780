#include "platform/window_caption.h"

#include <QString>
#include <QWidget>

void set_window_caption(QWidget* window, const QString& caption) {
  window->setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
}
