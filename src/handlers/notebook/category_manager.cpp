#include "handlers/notebook/category_manager.h"

#include "handlers/notebook/article_load_save.h"
#include "handlers/notebook/category_add_rename.h"
#include "handlers/notebook/category_delete.h"
#include "handlers/notebook/category_manager_list.h"
#include "handlers/notebook/category_order.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/report_list.h"
#include "platform/event_boundary.h"
#include "platform/rich_editor.h"
#include "platform/windows.h"
#include "windows/category_manager_window.h"
#include "windows/command_binding.h"
#include "windows/main_window.h"

void on_menu_category_manager() {
  // A failed save keeps the manager closed, so the unsaved text is not lost to a refresh.
  if (offer_to_save_modified_article() == 0)
    return;
  main_window().超级编辑框1->set_modified(false);
  CategoryManagerWindow window;
  prepare_category_manager(window);
  load_window(&window, true);
}

void prepare_category_manager(CategoryManagerWindow& window) {
  bind_event(window.超级列表框1, &ReportList::on_current_row_changed, &window,
             category_manager_list_row_changed);
  bind_event(window.图形按钮1, &PictureButton::on_clicked, &window, add_category);
  bind_event(window.图形按钮2, &PictureButton::on_clicked, &window, delete_category);
  bind_event(window.图形按钮3, &PictureButton::on_clicked, &window, rename_category);
  bind_event(window.图形按钮5, &PictureButton::on_clicked, &window, move_category_up);
  bind_event(window.图形按钮4, &PictureButton::on_clicked, &window, move_category_down);
  // A run-time error while filling is reported; the window still opens, as after any handler.
  guarded(category_manager_created)();
}
