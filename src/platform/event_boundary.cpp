#include "platform/event_boundary.h"

#include "platform/ui_seam.h"
#include "platform/windows.h"

void report_runtime_error(const RuntimeError& error) {
  show_message_box(error.message(), buttons_ok, QString());
}
