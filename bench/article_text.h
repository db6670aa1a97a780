#pragma once

// Articles of a given size as the program stores them, for the load and start-up benchmarks:
// Chinese and ASCII words, as one long paragraph or as short lines.
#include <QString>
#include <QTextDocument>

#include <iterator>

#include "platform/rtf/rtf_writer.h"

inline QString article_text(qsizetype characters, bool short_lines) {
  static const QString words[] = {
      QStringLiteral("笔记"),   QStringLiteral("notebook"), QStringLiteral("文章内容"),
      QStringLiteral("format"), QStringLiteral("段落"),     QStringLiteral("the"),
      QStringLiteral("宋体字"), QStringLiteral("editor"),   QStringLiteral("保存"),
      QStringLiteral("rich"),   QStringLiteral("text"),     QStringLiteral("中文标题")};
  QString text;
  text.reserve(characters + 16);
  for (std::size_t n = 0; text.size() < characters; ++n) {
    text += words[(n * 7 + n / 12) % std::size(words)];
    text += short_lines && n % 6 == 5 ? u'\n' : u' ';
  }
  return text;
}

// The text that our writer stores as about the given bytes of RTF.
inline QString text_for_rtf_size(qsizetype rtf_bytes, bool short_lines) {
  QTextDocument sample;
  sample.setPlainText(article_text(100'000, short_lines));
  const double bytes_per_character =
      static_cast<double>(write_rtf(sample).size()) / sample.characterCount();
  return article_text(static_cast<qsizetype>(rtf_bytes / bytes_per_character), short_lines);
}

inline QByteArray rtf_of_text(const QString& text) {
  QTextDocument document;
  document.setPlainText(text);
  return write_rtf(document);
}
