#include "windows/status_text.h"

#include "platform/controls/status_bar.h"
#include "windows/main_window.h"

void show_in_status_bar(StatusPart part, const QString& value) {
  const int index = static_cast<int>(part);
  const StatusPartText& text = status_part_texts[index];
  main_window().状态条1->statusbar_set_part_text(
      index, QString::fromUtf8(text.label) + value + QString::fromUtf8(text.unit));
}
