#include "handlers/editor/char_formatting.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "handlers/editor/colour_dialog.h"
#include "platform/common_dialog.h"
#include "platform/conversions.h"
#include "platform/event_boundary.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "windows/command_binding.h"
#include "windows/font_size_window.h"
#include "windows/main_window.h"

namespace {

RichEditor& editor() {
  return *main_window().超级编辑框1;
}

// A fresh format (宋体 9 pt, no effects, default colour) at the given size.
void apply_plain_size(int size) {
  CharFormat format;
  format.size = size;
  editor().richedit_set_sel_char_format(format);
}

}  // namespace

void set_selection_font_size(int size) {
  CharFormat format = editor().richedit_get_sel_char_format();
  format.size = size;
  editor().richedit_set_sel_char_format(format);
}

void set_selection_text_colour(Colorref colour) {
  CharFormat format = editor().richedit_get_sel_char_format();
  format.colour = colour;
  editor().richedit_set_sel_char_format(format);
}

void set_editor_background(Colorref colour) {
  editor().set_background_colour(colour);
}

void on_menu_font_size_custom() {
  FontSizeWindow window(&main_window());
  // Program writes of the slider block its signals, so this runs for the user's moves only.
  bind_event(window.多功能条1, &QSlider::valueChanged, &window,
             [&window] { font_size_window_slider_changed(window); });
  bind_event(window.按钮1, &QPushButton::clicked, &window,
             [&window] { font_size_window_ok_clicked(window); });
  guarded([&window] { font_size_window_created(window); })();
  load_window(&window, true);
}

void on_menu_font_colour() {
  CharFormat format;
  if (pick_colour(format.colour) == 0)
    return;
  editor().richedit_set_sel_char_format(format);
}

void on_menu_background_colour() {
  Colorref colour = 0;
  if (pick_colour(colour) == 1)
    set_editor_background(colour);
}

void on_menu_font_settings() {
  CharFormat format = editor().richedit_get_sel_char_format();
  CommonDialog& dialog = main_window().通用对话框1;
  if (run_common_dialog(dialog) != 1)
    return;
  format.font_name = dialog.font_name;
  format.size = dialog.font_size;
  format.colour = dialog.font_colour;
  int effects = 0;
  if (dialog.font_bold == 1)
    effects |= effect_bold;
  if (dialog.font_italic == 1)
    effects |= effect_italic;
  if (dialog.font_underline == 1)
    effects |= effect_underline;
  if (dialog.font_strikeout == 1)
    effects |= effect_strikeout;
  // No style ticked keeps the selection's own.
  if (effects != 0)
    format.effects = effects;
  editor().richedit_set_sel_char_format(format);
}

void font_size_window_created(FontSizeWindow& window) {
  const QSignalBlocker program_write(window.多功能条1);
  window.多功能条1->setValue(editor().richedit_get_sel_char_format().size);
}

void font_size_window_slider_changed(FontSizeWindow& window) {
  const int position = window.多功能条1->value();
  window.编辑框1->setText(to_text(position));
  apply_plain_size(position);
}

void font_size_window_ok_clicked(FontSizeWindow& window) {
  const int size = to_integer(window.编辑框1->text());
  if (size > 99 || size < 1) {
    show_message_box(QStringLiteral("请输入正确的字体大小 1~99 之间"), buttons_ok);
    return;
  }
  {
    const QSignalBlocker program_write(window.多功能条1);
    window.多功能条1->setValue(size);
  }
  apply_plain_size(window.多功能条1->value());
}
