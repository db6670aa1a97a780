#include "handlers/editor/edit_commands.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "platform/atomic_file.h"
#include "platform/common_dialog.h"
#include "platform/controls/report_list.h"
#include "platform/failure_log.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "windows/main_window.h"

namespace {

RichEditor& editor() {
  return *main_window().超级编辑框1;
}

}  // namespace

void on_menu_open() {
  if (main_window().超级列表框1->current_row() == -1) {
    show_message_box(QStringLiteral("请选择一个记录 或 新建记录 以用来存储"), buttons_ok,
                     QString());
    return;
  }
  editor().richedit_open();
}

void on_menu_save_as() {
  // Title and folder are left as an earlier user of the shared dialog set them.
  CommonDialog& dialog = main_window().通用对话框2;
  dialog.dialog_type = 1;
  dialog.file_name = QStringLiteral("JSB");
  dialog.filter = QStringLiteral("丰富文本(*.RTF)|*.RTF|所有文件|*.*");
  dialog.default_ext = QStringLiteral("*.txt");
  if (run_common_dialog(dialog) != 1)
    return;
  // The rich-text form is 7-bit ASCII; the file holds it whatever its extension.
  QString reason;
  if (!write_file_atomically(dialog.file_name, editor().content().toLatin1(), &reason)) {
    log_failure(QStringLiteral("save a copy of the text"), dialog.file_name, reason);
    // Said out loud, or the user would count on a copy that does not exist.
    show_message_box(QStringLiteral("另存为失败 ") + dialog.file_name + u'\n' + reason, buttons_ok,
                     QString());
  }
}

void on_menu_undo() {
  editor().richedit_undo();
}
void on_menu_cut() {
  editor().richedit_cut();
}
void on_menu_copy() {
  editor().richedit_copy();
}
void on_menu_paste() {
  editor().richedit_paste();
}
void on_menu_delete() {
  editor().richedit_delete_selection();
}

void on_menu_refresh() {
  editor().refresh_display();
  editor().redraw();
}

void on_menu_select_all() {
  editor().set_selection_length(-1);
}

void on_menu_word_wrap() {
  // Choosing the checkable item has already moved its mark; word wrap follows the mark.
  editor().set_word_wrap(main_window().action(MenuCommand::word_wrap)->isChecked());
}

void main_editor_right_button_down() {
  main_window().menu_edit->popup(QCursor::pos());
}
