#include "handlers/editor/count_edit_chars.h"

#include <QStringEncoder>

int count_edit_chars(const QByteArray& gbk_text) {
  const qsizetype n = gbk_text.size();
  qsizetype count = n;
  // i is the 1-based byte position, so the byte at position n is never looked at.
  qsizetype i = 1;
  while (i < n) {
    const auto byte = static_cast<unsigned char>(gbk_text[i - 1]);
    if (byte >= 0x80 || byte == '\r') {
      --count;
      i += 2;
    } else {
      ++i;
    }
  }
  return static_cast<int>(count);
}

int count_edit_chars(const QString& text) {
  QStringEncoder to_gbk("GBK");
  return count_edit_chars(QByteArray(to_gbk.encode(text)));
}
