#include "handlers/access/find_text.h"

int find_text_from_end(const QString& text, const QString& sought, bool ignore_case) {
  const qsizetype index =
      text.lastIndexOf(sought, -1, ignore_case ? Qt::CaseInsensitive : Qt::CaseSensitive);
  return index < 0 ? -1 : static_cast<int>(index) + 1;
}
