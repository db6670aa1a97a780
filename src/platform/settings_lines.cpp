#include "platform/settings_lines.h"

#include <QList>

#include <optional>

namespace {

// The reader's own rules: blanks, line ends, comment characters, case of block tags.
bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char ascii_lower(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool same_tag(const QByteArray& a, const QByteArray& b) {
  if (a.size() != b.size())
    return false;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (ascii_lower(a[i]) != ascii_lower(b[i]))
      return false;
  return true;
}

struct Line {
  // Without its line end.
  QByteArray content;
  QByteArray end;
};

// Lines end at "\r\n", "\n" or "\r", as the reader sees them.
QList<Line> split_lines(const QByteArray& text) {
  QList<Line> lines;
  qsizetype start = 0;
  while (start < text.size()) {
    qsizetype end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r')
      ++end;
    qsizetype next = end;
    if (next < text.size())
      next += text.mid(next, 2) == "\r\n" ? 2 : 1;
    lines.append({text.mid(start, end - start), text.mid(end, next - end)});
    start = next;
  }
  return lines;
}

// The tag after "<<<" when the line is a key whose value opens a block, else nothing.
std::optional<QByteArray> block_tag(const QByteArray& line) {
  qsizetype i = 0;
  while (i < line.size() && is_blank(line[i]))
    ++i;
  if (i == line.size() || line[i] == ';' || line[i] == '#' || line[i] == '[' || line[i] == '=')
    return std::nullopt;
  const qsizetype equals = line.indexOf('=', i);
  if (equals < 0)
    return std::nullopt;
  const QByteArray value = line.mid(equals + 1).trimmed();
  if (!value.startsWith("<<<"))
    return std::nullopt;
  return value.mid(3);
}

// A block's end line: the tag from the first column, blanks after it ignored.
bool ends_block(QByteArray line, const QByteArray& tag) {
  qsizetype last = line.size() - 1;
  while (last > 0 && is_blank(line[last]))
    --last;
  line.truncate(last + 1);
  return same_tag(line, tag);
}

}  // namespace

SoundSettingsText without_damaged_lines(const QByteArray& text) {
  QList<Line> lines = split_lines(text);
  SoundSettingsText sound;
  sound.damaged_lines =
      int(lines.removeIf([](const Line& line) { return line.content.contains('\0'); }));
  qsizetype i = 0;
  while (i < lines.size()) {
    qsizetype last = i;
    if (const std::optional<QByteArray> tag = block_tag(lines[i].content)) {
      last = i + 1;
      while (last < lines.size() && !ends_block(lines[last].content, *tag))
        ++last;
      if (last == lines.size()) {
        ++sound.damaged_lines;
        ++i;
        continue;
      }
    }
    for (; i <= last; ++i)
      sound.text += lines[i].content + lines[i].end;
  }
  return sound;
}
