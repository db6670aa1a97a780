#include "platform/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

BusyCursor::BusyCursor() {
  QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  // Painted now: the work that follows handles no events until it is done.
  QGuiApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

BusyCursor::~BusyCursor() {
  QGuiApplication::restoreOverrideCursor();
}
