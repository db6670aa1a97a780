#include "platform/ui_seam.h"

QString default_message_title() {
  return QStringLiteral("Wrenfold");
}
