#include "handlers/access/layout.h"

#include <QGroupBox>
#include <QTabWidget>

#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/controls/splitter_bar.h"
#include "platform/controls/status_bar.h"
#include "platform/conversions.h"
#include "platform/rich_editor.h"
#include "windows/main_window.h"

namespace {

constexpr int list_panel_height_step = 32;

// Formulas may give negative sizes for a tiny client area; a control is never smaller than 0.
void set_size(QWidget* widget, int width, int height) {
  widget->resize(qMax(0, width), qMax(0, height));
}

int client_width() {
  return main_window().centralWidget()->width();
}

int client_height() {
  return main_window().centralWidget()->height();
}

}  // namespace

void toggle_list_panel() {
  MainWindow& window = main_window();
  ReportList* list = window.超级列表框1;
  if (window.分组框1->isVisibleTo(window.高级选择夹1)) {
    set_size(list, list->width(), list->height() + list_panel_height_step);
    window.分组框1->setVisible(false);
  } else {
    set_size(list, list->width(), list->height() - list_panel_height_step);
    window.分组框1->setVisible(true);
  }
}

void main_window_resized() {
  MainWindow& window = main_window();
  if (window.分组框1->isVisibleTo(window.高级选择夹1))
    toggle_list_panel();

  QTabWidget* frame = window.高级选择夹1;
  set_size(frame, client_width() - 2, client_height() - 52);

  RichEditor* editor = window.超级编辑框1;
  set_size(editor, client_width() - window.超级列表框1->width() - 26, frame->height() - 18);

  SplitterBar* splitter = window.分隔条1;
  splitter->move(editor->x() + editor->width() - 2, splitter->y());
  set_size(splitter, splitter->width(), editor->height());

  ComboBox* combo = window.组合框1;
  combo->move(splitter->x() + splitter->width(), combo->y());

  ReportList* list = window.超级列表框1;
  list->move(combo->x(), list->y());
  set_size(list, list->width(), editor->height() - 25);

  window.分组框1->move(list->x(), client_height() - 93);

  StatusBar* status = window.状态条1;
  status->move(status->x(), client_height() - 20);
  set_size(status, client_width(), status->height());

  status->statusbar_set_part_width(0, integer_part(status->width() / 4.0));
  for (int part = 1; part < 4; ++part)
    status->statusbar_set_part_width(part, status->statusbar_get_part_width(0));
}

void main_splitter_moved(int old_position, int new_position) {
  MainWindow& window = main_window();
  if (window.分组框1->isVisibleTo(window.高级选择夹1))
    toggle_list_panel();

  RichEditor* editor = window.超级编辑框1;
  // In a client area too narrow for both sides the editor keeps its width first.
  new_position = qMin(new_position, client_width() - 20 - splitter_min_side);
  new_position = qMax(new_position, editor->x() + splitter_min_side);

  SplitterBar* splitter = window.分隔条1;
  splitter->move(new_position, splitter->y());

  set_size(editor, editor->width() + new_position - old_position, editor->height());

  const int column_width = client_width() - new_position - 20;
  ReportList* list = window.超级列表框1;
  list->move(new_position + 10, list->y());
  set_size(list, column_width, list->height());

  ComboBox* combo = window.组合框1;
  combo->move(new_position + 10, combo->y());
  set_size(combo, column_width, combo->height());
}
