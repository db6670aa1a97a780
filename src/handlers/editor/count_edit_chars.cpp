#include "handlers/editor/count_edit_chars.h"

int count_edit_chars(const QString& text) {
  return static_cast<int>(text.size() - text.count(QStringLiteral("\r\n")));
}
