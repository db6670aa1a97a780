#include "handlers/editor/saved_text_format.h"

#include "platform/conversions.h"
#include "platform/rich_editor.h"
#include "storage/settings_keys.h"
#include "windows/main_window.h"

StoredTextFormat read_stored_text_format() {
  // Each initialiser reads its key, in this order.
  return {read_setting(setting::text_size),         read_setting(setting::text_font),
          read_setting(setting::text_colour),       read_setting(setting::background_colour),
          read_setting(setting::line_height),       read_setting(setting::bullet),
          read_setting(setting::first_line_indent), read_setting(setting::other_lines_indent),
          read_setting(setting::right_indent),      read_setting(setting::alignment)};
}

QString usable_size_text(const QString& text) {
  const int size = to_integer(text);
  return size >= 1 && size <= 99 ? text : setting_fallback(setting::text_size);
}

int stored_size(const QString& text) {
  return to_integer(usable_size_text(text));
}

Colorref stored_colour(const QString& text) {
  const int colour = to_integer(text);
  if (colour < 0 || colour > 0x00FFFFFF)
    return default_colour;
  return static_cast<Colorref>(colour);
}

QString stored_colour_text(Colorref colour) {
  return to_text(static_cast<int>(colour));
}

void apply_text_format(Colorref background, const CharFormat& chars,
                       const ParagraphFormat& paragraph) {
  RichEditor& editor = *main_window().超级编辑框1;
  editor.set_background_colour(background);
  editor.richedit_set_default_char_format(chars);
  editor.richedit_set_para_format(paragraph);
}

void apply_saved_text_format() {
  if (!setting_is_on(setting::apply_text_format))
    return;
  const StoredTextFormat stored = read_stored_text_format();

  CharFormat chars;
  chars.font_name = stored.font;
  chars.size = stored_size(stored.size);
  chars.line_height = to_integer(stored.line_height);
  chars.colour = stored_colour(stored.colour);

  ParagraphFormat paragraph;
  paragraph.first_line_indent = to_integer(stored.first_line_indent);
  paragraph.right_indent = to_integer(stored.right_indent);
  paragraph.alignment = to_integer(stored.alignment);
  paragraph.other_lines_indent = to_integer(stored.other_lines_indent);
  paragraph.bullet = to_integer(stored.bullet) == 1 ? 1 : 0;

  apply_text_format(stored_colour(stored.background), chars, paragraph);
}
