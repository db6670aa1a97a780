#include "handlers/editor/find.h"

#include <QCheckBox>
#include <QLineEdit>

#include "handlers/editor/count_edit_chars.h"
#include "platform/controls/picture_button.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "windows/command_binding.h"
#include "windows/find_dialog.h"
#include "windows/globals.h"
#include "windows/main_window.h"

namespace {

void record_find_result(int position) {
  globals().last_find_position = position;
  globals().last_find_hit_at_start = position == 0;
}

// The find window is not on top while its message shows.
void show_find_message(FindDialog& dialog, const QString& text) {
  dialog.set_topmost(false);
  show_message_box(text, buttons_ok, QString());
  dialog.set_topmost(true);
}

bool find_text_missing(FindDialog& dialog) {
  if (!dialog.编辑框1->text().isEmpty())
    return false;
  show_find_message(dialog, QStringLiteral("请输入要搜索的内容"));
  return true;
}

bool match_case(const FindDialog& dialog) {
  return dialog.选择框1->checkState() == Qt::Checked;
}

// The focus stays in the find window.
void select_hit(FindDialog& dialog) {
  RichEditor& editor = *main_window().超级编辑框1;
  editor.set_selection_start(globals().last_find_position);
  editor.set_selection_length(count_edit_chars(dialog.编辑框1->text()));
}

}  // namespace

void on_menu_find() {
  if (FindDialog* open = find_dialog()) {
    open->show();
    open->raise();
    open->activateWindow();
    return;
  }
  auto* dialog = new FindDialog(&main_window());
  bind_event(dialog->图形按钮1, &PictureButton::on_clicked, dialog,
             [dialog] { find_dialog_find_clicked(*dialog); });
  bind_event(dialog->图形按钮2, &PictureButton::on_clicked, dialog,
             [dialog] { find_dialog_find_next_clicked(*dialog); });
  load_window(dialog, false);
}

void find_dialog_find_clicked(FindDialog& dialog) {
  if (find_text_missing(dialog))
    return;
  const int hit =
      main_window().超级编辑框1->richedit_find_text(0, match_case(dialog), dialog.编辑框1->text());
  record_find_result(hit);
  if (hit == -1) {
    globals().last_find_position = 0;
    show_find_message(dialog, QStringLiteral("未搜索到!"));
    return;
  }
  select_hit(dialog);
}

void find_dialog_find_next_clicked(FindDialog& dialog) {
  if (find_text_missing(dialog))
    return;
  const bool case_sensitive = match_case(dialog);
  if (globals().last_find_position == 0 && !globals().last_find_hit_at_start) {
    show_find_message(dialog, QStringLiteral("请先进行首次搜索"));
    return;
  }
  const int start = globals().last_find_position + 1;
  const int hit =
      main_window().超级编辑框1->richedit_find_text(start, case_sensitive, dialog.编辑框1->text());
  record_find_result(hit);
  if (hit == -1) {
    show_find_message(dialog, QStringLiteral("未搜索到!"));
    return;
  }
  select_hit(dialog);
}
