#include "windows/current_article.h"

#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "windows/main_window.h"

QString current_category() {
  const ComboBox& selector = *main_window().组合框1;
  return selector.combo_item_text(selector.selected_index());
}

QString current_title() {
  const ReportList& list = *main_window().超级列表框1;
  return list.listview_get_cell_text(list.current_row());
}
