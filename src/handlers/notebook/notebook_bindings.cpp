#include "handlers/notebook/notebook_bindings.h"

#include "handlers/notebook/article_create.h"
#include "handlers/notebook/article_delete.h"
#include "handlers/notebook/article_load_save.h"
#include "handlers/notebook/article_move.h"
#include "handlers/notebook/article_move_hold.h"
#include "handlers/notebook/article_rename.h"
#include "handlers/notebook/category_lists.h"
#include "handlers/notebook/category_manager.h"
#include "handlers/notebook/record_search.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/report_list.h"
#include "windows/command_binding.h"
#include "windows/main_window.h"

void bind_notebook_commands(MainWindow& window) {
  bind_command(window, MenuCommand::new_article, on_menu_new);
  bind_command(window, MenuCommand::save, on_menu_save);
  bind_command(window, MenuCommand::record_save, on_menu_save_record);
  bind_command(window, MenuCommand::record_new, on_menu_new_record);
  bind_command(window, MenuCommand::record_move_up, move_article_up);
  bind_command(window, MenuCommand::record_move_down, move_article_down);
  bind_command(window, MenuCommand::record_rename, on_menu_rename_record);
  bind_command(window, MenuCommand::record_delete, delete_article);
  bind_command(window, MenuCommand::record_properties, show_article_properties);
  bind_command(window, MenuCommand::category_manager, on_menu_category_manager);
  bind_command(window, MenuCommand::record_search, open_record_search);

  bind_event(window.组合框1, &ComboBox::on_dropdown, &window, main_combo_dropdown);
  bind_event(window.组合框1, &ComboBox::on_selection_changed, &window, on_category_changed);
  bind_event(window.超级列表框1, &ReportList::on_current_row_changed, &window,
             load_selected_article);
  bind_event(window.超级列表框1, &ReportList::on_right_click, &window, main_list_right_click);
  bind_event(window.图形按钮1, &PictureButton::on_left_button_down, &window,
             main_move_up_left_button_down);
  bind_event(window.图形按钮1, &PictureButton::on_left_button_up, &window,
             main_move_up_left_button_up);
  bind_event(window.图形按钮2, &PictureButton::on_left_button_down, &window,
             main_move_down_left_button_down);
  bind_event(window.图形按钮2, &PictureButton::on_left_button_up, &window,
             main_move_down_left_button_up);
  // A rename abandoned by a run-time error keeps the old title.
  window.超级列表框1->set_label_edit_handler(guarded_answer(rename_article_in_place));
}
