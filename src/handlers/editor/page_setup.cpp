#include "handlers/editor/page_setup.h"

#include <QCheckBox>
#include <QLineEdit>

#include "handlers/editor/saved_text_format.h"
#include "platform/controls/colour_picker.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/key_code.h"
#include "platform/controls/picture_button.h"
#include "platform/conversions.h"
#include "platform/event_boundary.h"
#include "platform/fonts.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/settings_keys.h"
#include "windows/command_binding.h"
#include "windows/page_setup_window.h"

namespace {

// Selects the first item of the font list named name; without one the selection stays.
void select_font(ComboBox& list, const QString& name) {
  if (const int index = list.findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive); index != -1)
    list.set_selected_index(index);
}

QString current_font(const ComboBox& list) {
  return list.combo_item_text(list.selected_index());
}

// 1 left, 2 centre, 3 right; 0 while no item is selected.
int alignment_of(const ComboBox& list) {
  return list.selected_index() + 1;
}

// A size no one could read (0, out of range, not a number) shows as the fallback before it is
// applied or stored.
void take_usable_size(PageSetupWindow& window) {
  const QString typed = window.编辑框1->text();
  if (const QString usable = usable_size_text(typed); usable != typed)
    window.编辑框1->setText(usable);
}

}  // namespace

void on_menu_page_setup() {
  PageSetupWindow window;
  prepare_page_setup(window);
  load_window(&window, true);
}

void prepare_page_setup(PageSetupWindow& window) {
  PageSetupWindow* page = &window;
  bind_event(page->图形按钮1, &PictureButton::on_clicked, page,
             [page] { apply_page_setup(*page); });
  bind_event(page->图形按钮2, &PictureButton::on_clicked, page,
             [page] { page_setup_defaults_clicked(*page); });
  bind_event(page->图形按钮3, &PictureButton::on_clicked, page,
             [page] { page_setup_close_clicked(*page); });
  bind_event(page->选择框1, &QCheckBox::clicked, page,
             [page] { page_setup_keep_settings_clicked(*page); });
  QObject::connect(page, &PageSetupWindow::on_key_down, page,
                   guarded([page](int key_code, int) { page_setup_key_down(*page, key_code); }));
  bind_event(page, &PageSetupWindow::on_destroying, page, [page] { store_page_setup(*page); });
  guarded([page] { page_setup_created(*page); })();
}

void page_setup_created(PageSetupWindow& window) {
  fill_font_list(window);
  load_page_setup_values(window);
}

void fill_font_list(PageSetupWindow& window) {
  const QStringList names = get_font_names();
  if (names.isEmpty()) {
    show_message_box(QStringLiteral("字体获取失败"), buttons_ok, QString());
    return;
  }
  for (const QString& name : names)
    window.组合框1->combo_add_item(name);
}

void load_page_setup_values(PageSetupWindow& window) {
  window.选择框1->setChecked(setting_is_on(setting::apply_text_format));
  const StoredTextFormat stored = read_stored_text_format();

  window.编辑框1->setText(usable_size_text(stored.size));
  window.编辑框2->setText(stored.line_height);
  window.颜色选择器1->set_colour(stored_colour(stored.colour));
  window.颜色选择器2->set_colour(stored_colour(stored.background));
  select_font(*window.组合框1, stored.font);
  window.选择框5->setChecked(to_integer(stored.bullet) == 1);
  window.编辑框3->setText(stored.first_line_indent);
  window.编辑框4->setText(stored.other_lines_indent);
  window.编辑框5->setText(stored.right_indent);
  // Worked out in floating point, so no stored number overflows; a number outside 1 to 3
  // leaves the list without a selection.
  window.组合框2->set_selected_index(to_integer(to_integer(stored.alignment) - 1.0));
}

void apply_page_setup(PageSetupWindow& window) {
  take_usable_size(window);
  CharFormat chars;
  chars.size = to_integer(window.编辑框1->text());
  chars.font_name = current_font(*window.组合框1);
  chars.colour = window.颜色选择器1->colour();
  chars.line_height = to_integer(window.编辑框2->text());

  ParagraphFormat paragraph;
  paragraph.first_line_indent = to_integer(window.编辑框3->text());
  paragraph.other_lines_indent = to_integer(window.编辑框4->text());
  paragraph.right_indent = to_integer(window.编辑框5->text());
  paragraph.alignment = alignment_of(*window.组合框2);
  paragraph.bullet = window.选择框5->isChecked() ? 1 : 0;

  apply_text_format(window.颜色选择器2->colour(), chars, paragraph);
}

void page_setup_defaults_clicked(PageSetupWindow& window) {
  window.编辑框1->setText(QStringLiteral("9"));
  window.编辑框2->setText(QStringLiteral("0"));
  window.颜色选择器1->set_colour(0x00000000);
  window.颜色选择器2->set_colour(0x00FFFFFF);
  window.选择框5->setChecked(false);
  window.编辑框3->setText(QStringLiteral("10"));
  window.编辑框4->setText(QStringLiteral("0"));
  window.编辑框5->setText(QStringLiteral("10"));
  window.组合框2->set_selected_index(0);
  select_font(*window.组合框1, QStringLiteral("宋体"));
}

void page_setup_close_clicked(PageSetupWindow& window) {
  close_window(&window);
}

void page_setup_key_down(PageSetupWindow& window, int key_code) {
  if (key_code == key_code_escape)
    close_window(&window);
}

void store_page_setup(PageSetupWindow& window) {
  if (!window.选择框1->isChecked())
    return;
  take_usable_size(window);
  write_setting(setting::text_size, window.编辑框1->text());
  write_setting(setting::line_height, window.编辑框2->text());
  write_setting(setting::text_colour, stored_colour_text(window.颜色选择器1->colour()));
  write_setting(setting::background_colour, stored_colour_text(window.颜色选择器2->colour()));
  write_setting(setting::text_font, current_font(*window.组合框1));
  write_switch(setting::bullet, window.选择框5->isChecked());
  write_setting(setting::first_line_indent, window.编辑框3->text());
  write_setting(setting::other_lines_indent, window.编辑框4->text());
  write_setting(setting::right_indent, window.编辑框5->text());
  write_setting(setting::alignment, to_text(alignment_of(*window.组合框2)));
}

void page_setup_keep_settings_clicked(PageSetupWindow& window) {
  write_switch(setting::apply_text_format, window.选择框1->isChecked());
}
