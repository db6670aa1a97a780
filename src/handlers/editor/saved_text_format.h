#pragma once

#include <QString>

#include "platform/colorref.h"

struct CharFormat;
struct ParagraphFormat;

// The stored default format (section BJCS) as its texts read, each with its fallback.
struct StoredTextFormat {
  QString size;
  QString font;
  QString colour;
  QString background;
  QString line_height;
  QString bullet;
  QString first_line_indent;
  QString other_lines_indent;
  QString right_indent;
  QString alignment;
};
StoredTextFormat read_stored_text_format();

// A size outside 1 to 99 points, typed or stored, is taken as missing: the key's fallback. So
// the text never shrinks out of sight.
QString usable_size_text(const QString& text);
int stored_size(const QString& text);

// Colours are stored as the decimal text of their 32-bit value, which reads back the same. A
// value outside 0 to 0xFFFFFF names no colour: the editor's own then shows.
Colorref stored_colour(const QString& text);
QString stored_colour_text(Colorref colour);

// Gives the main editor, in this order, the background colour, the default character format and
// the paragraph format of its selection: the order of page setup's apply and of start-up.
void apply_text_format(Colorref background, const CharFormat& chars,
                       const ParagraphFormat& paragraph);

// Start-up: while 下次使用现行设置 is stored as on, the editor takes the stored format again;
// otherwise it is left as it is. It runs while the editor is still empty.
void apply_saved_text_format();
