#include "handlers/editor/editor_bindings.h"

#include <QAction>
#include <QKeySequence>

#include "handlers/editor/char_formatting.h"
#include "handlers/editor/edit_commands.h"
#include "handlers/editor/find.h"
#include "handlers/editor/page_setup.h"
#include "handlers/editor/status_counts.h"
#include "handlers/editor/toolbar_dispatch.h"
#include "platform/controls/toolbar.h"
#include "platform/event_boundary.h"
#include "platform/rich_editor.h"
#include "windows/command_binding.h"
#include "windows/main_window.h"

namespace {

void bind_menu_commands(MainWindow& window) {
  bind_command(window, MenuCommand::open, on_menu_open);
  bind_command(window, MenuCommand::save_as, on_menu_save_as);
  bind_command(window, MenuCommand::undo, on_menu_undo);
  bind_command(window, MenuCommand::cut, on_menu_cut);
  bind_command(window, MenuCommand::copy, on_menu_copy);
  bind_command(window, MenuCommand::paste, on_menu_paste);
  bind_command(window, MenuCommand::delete_selection, on_menu_delete);
  bind_command(window, MenuCommand::refresh, on_menu_refresh);
  bind_command(window, MenuCommand::find, on_menu_find);
  bind_command(window, MenuCommand::select_all, on_menu_select_all);
  bind_command(window, MenuCommand::word_wrap, on_menu_word_wrap);

  bind_command(window, MenuCommand::font_settings, on_menu_font_settings);
  bind_command(window, MenuCommand::font_colour, on_menu_font_colour);
  bind_command(window, MenuCommand::background_colour, on_menu_background_colour);
  for (const FontSizePreset& preset : font_size_presets)
    bind_command(window, preset.command, [size = preset.size] { set_selection_font_size(size); });
  bind_command(window, MenuCommand::size_custom, on_menu_font_size_custom);
  for (const ColourPreset& preset : text_colour_presets)
    bind_command(window, preset.command,
                 [colour = preset.colour] { set_selection_text_colour(colour); });
  bind_command(window, MenuCommand::text_colour_custom, on_menu_font_colour);
  for (const ColourPreset& preset : background_colour_presets)
    bind_command(window, preset.command,
                 [colour = preset.colour] { set_editor_background(colour); });
  bind_command(window, MenuCommand::background_custom, on_menu_background_colour);
  bind_command(window, MenuCommand::page_setup, on_menu_page_setup);

  // The form's key code 76 is the key L. Ctrl+L takes no key from typing: a plain Delete
  // shortcut would swallow the Delete key in the editor.
  window.action(MenuCommand::delete_selection)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
}

void bind_editor_events(MainWindow& window) {
  RichEditor* editor = window.超级编辑框1;
  bind_event(editor, &RichEditor::on_content_changed, &window, main_editor_content_changed);
  bind_event(editor, &RichEditor::on_left_button_down, &window, main_editor_left_button_down);
  bind_event(editor, &RichEditor::on_right_button_down, &window, main_editor_right_button_down);
}

void bind_toolbar(MainWindow& window) {
  QObject::connect(window.工具条1, &Toolbar::on_button_clicked, &window,
                   guarded([](int index) { main_toolbar_button_clicked(index); }));
  QObject::connect(window.工具条1, &Toolbar::on_dropdown_clicked, &window,
                   guarded([](int index) { main_toolbar_dropdown_clicked(index); }));
}

}  // namespace

void bind_editor_commands(MainWindow& window) {
  bind_menu_commands(window);
  bind_toolbar(window);
  bind_editor_events(window);
}
