#include "platform/text_rows.h"

QString TextRows::text(int row, int column) const {
  if (row < 0 || row >= row_count() || column < 0 || column >= columns_)
    return {};
  const std::size_t cell = static_cast<std::size_t>(row) * columns_ + column;
  const qsizetype start = cell == 0 ? 0 : ends_[cell - 1];
  return QString::fromUtf8(bytes_.constData() + start, ends_[cell] - start);
}

void TextRows::clear(int columns) {
  columns_ = columns > 0 ? columns : 1;
  bytes_.resize(0);
  ends_.clear();
}

void TextRows::append(QByteArrayView utf8) {
  bytes_.append(utf8);
  ends_.push_back(bytes_.size());
}
