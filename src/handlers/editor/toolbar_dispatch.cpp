#include "handlers/editor/toolbar_dispatch.h"

#include <QAction>
#include <QMenu>

#include "handlers/editor/edit_commands.h"
#include "handlers/editor/find.h"
#include "platform/rich_editor.h"
#include "windows/main_window.h"
#include "windows/toolbar_buttons.h"

namespace {

RichEditor& editor() {
  return *main_window().超级编辑框1;
}

// Inverts one effect bit of the selection; the other bits stay as they are.
void toggle_effect(int bit) {
  CharFormat format = editor().richedit_get_sel_char_format();
  format.effects ^= bit;
  editor().richedit_set_sel_char_format(format);
}

void set_alignment(int alignment) {
  ParagraphFormat format = editor().richedit_get_para_format();
  format.alignment = alignment;
  editor().richedit_set_para_format(format);
}

QMenu* toolbar_menu(int index) {
  switch (index) {
    case toolbar_font_size:
      return main_window().menu_font_size;
    case toolbar_text_colour:
      return main_window().menu_font_colour;
    case toolbar_background_colour:
      return main_window().menu_background_colour;
    default:
      return nullptr;
  }
}

void popup_toolbar_menu(int index) {
  if (QMenu* menu = toolbar_menu(index))
    menu->popup(toolbar_menu_position(index));
}

}  // namespace

QPoint toolbar_menu_position(int index) {
  int offset = 0;
  switch (index) {
    case toolbar_font_size:
      offset = 484;
      break;
    case toolbar_text_colour:
      offset = 528;
      break;
    case toolbar_background_colour:
      offset = 572;
      break;
    default:
      break;
  }
  const MainWindow& window = main_window();
  return {window.x() + offset, window.y() + 90};
}

void main_toolbar_button_clicked(int index) {
  switch (index) {
    case toolbar_new:
      main_window().action(MenuCommand::new_article)->trigger();
      break;
    case toolbar_open:
      on_menu_open();
      break;
    case toolbar_save:
      main_window().action(MenuCommand::save)->trigger();
      break;
    case toolbar_cut:
      on_menu_cut();
      break;
    case toolbar_copy:
      on_menu_copy();
      break;
    case toolbar_paste:
      on_menu_paste();
      break;
    case toolbar_find:
      on_menu_find();
      break;
    case toolbar_refresh:
      on_menu_refresh();
      break;
    case toolbar_bold:
      toggle_effect(effect_bold);
      break;
    case toolbar_italic:
      toggle_effect(effect_italic);
      break;
    case toolbar_underline:
      toggle_effect(effect_underline);
      break;
    case toolbar_align_left:
      set_alignment(1);
      break;
    case toolbar_align_centre:
      set_alignment(2);
      break;
    case toolbar_align_right:
      set_alignment(3);
      break;
    case toolbar_font_size:
    case toolbar_text_colour:
    case toolbar_background_colour:
      popup_toolbar_menu(index);
      break;
    default:
      break;  // separators
  }
}

void main_toolbar_dropdown_clicked(int index) {
  popup_toolbar_menu(index);
}
