#include "windows/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>

#include <map>
#include <string_view>

#include "platform/controls/combo_box.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/report_list.h"
#include "platform/controls/splitter_bar.h"
#include "platform/controls/status_bar.h"
#include "platform/controls/tab_frame.h"
#include "platform/controls/toolbar.h"
#include "platform/rich_editor.h"
#include "platform/svg_picture.h"
#include "platform/window_frame.h"
#include "ui_main_window.h"
#include "windows/globals.h"
#include "windows/main_menu_table.h"
#include "windows/program_icon.h"
#include "windows/status_bar_parts.h"
#include "windows/toolbar_table.h"

namespace {

MainWindow* instance = nullptr;

QString text_of(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

MainWindow& main_window() {
  Q_ASSERT(instance != nullptr);
  return *instance;
}

ExternalDatabase& database() {
  return main_window().外部数据库1;
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui(new Ui::MainWindow) {
  instance = this;
  globals() = Globals{};
  ui->setupUi(this);
  工具条1 = ui->工具条1;
  高级选择夹1 = ui->高级选择夹1;
  超级编辑框1 = ui->超级编辑框1;
  分隔条1 = ui->分隔条1;
  组合框1 = ui->组合框1;
  超级列表框1 = ui->超级列表框1;
  分组框1 = ui->分组框1;
  图形按钮1 = ui->图形按钮1;
  图形按钮2 = ui->图形按钮2;
  状态条1 = ui->状态条1;

  setWindowIcon(program_icon());
  build_menus();
  build_toolbar();
  build_controls();
  // The client area is the central widget: its size is what the layout formulas read.
  centralWidget()->installEventFilter(this);

  // The description's size is the outer one, frame included.
  place_centred(this, size());
}

MainWindow::~MainWindow() {
  // Controls going away must not reach handlers that would look for this window.
  for (QObject* child : findChildren<QObject*>())
    child->blockSignals(true);
  delete ui;
  if (instance == this)
    instance = nullptr;
}

void MainWindow::set_query_close_handler(std::function<bool()> handler) {
  query_close_ = std::move(handler);
}

void MainWindow::set_first_shown_handler(std::function<void()> handler) {
  first_shown_ = std::move(handler);
}

void MainWindow::setVisible(bool visible) {
  if (visible && !shown_before_) {
    shown_before_ = true;
    if (first_shown_)
      first_shown_();
    if (closed_)
      return;
  }
  QMainWindow::setVisible(visible);
}

QAction* MainWindow::action(MenuCommand command) const {
  return actions_.at(static_cast<std::size_t>(command));
}

void MainWindow::build_menus() {
  std::map<std::string_view, QMenu*> menus;
  std::map<std::pair<std::string_view, std::string_view>, QMenu*> submenus;
  for (const MainMenuEntry& entry : main_menu_entries()) {
    QMenu*& menu = menus[entry.menu];
    if (menu == nullptr) {
      // The pop-up roots belong to the window but never to the menu bar.
      menu = is_popup_menu(entry.menu) ? new QMenu(text_of(entry.menu), this)
                                       : menuBar()->addMenu(text_of(entry.menu));
      menu->setObjectName(text_of(entry.menu));
    }
    QMenu* target = menu;
    if (entry.submenu != nullptr) {
      QMenu*& submenu = submenus[{entry.menu, entry.submenu}];
      if (submenu == nullptr)
        submenu = menu->addMenu(text_of(entry.submenu));
      target = submenu;
    }
    if (entry.caption == nullptr) {
      target->addSeparator();
      continue;
    }
    QAction* item = target->addAction(text_of(entry.caption));
    if (entry.ctrl_letter != 0)
      item->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(entry.ctrl_letter)));
    item->setVisible(!entry.hidden);
    if (entry.checked) {
      item->setCheckable(true);
      item->setChecked(true);
    }
    actions_.at(static_cast<std::size_t>(*entry.command)) = item;
  }
  menu_edit = menus["编辑相关"];
  menu_font_colour = menus["字体颜色菜单"];
  menu_background_colour = menus["背景颜色菜单"];
  menu_font_size = menus["字体大小菜单"];
  menu_record = menus["记录功能菜单"];
}

void MainWindow::build_toolbar() {
  for (const ToolbarEntry& entry : toolbar_entries()) {
    switch (entry.kind) {
      case ToolbarEntry::Kind::separator:
        工具条1->add_separator();
        break;
      case ToolbarEntry::Kind::button:
        工具条1->add_button(svg_picture(text_of(entry.picture)), text_of(entry.tooltip));
        break;
      case ToolbarEntry::Kind::dropdown:
        工具条1->add_dropdown_button(svg_picture(text_of(entry.picture)), text_of(entry.tooltip));
        break;
    }
  }
}

void MainWindow::build_controls() {
  超级列表框1->add_column(QStringLiteral("记录列表"), 150, 0);
  超级列表框1->set_row_picture(svg_picture(QStringLiteral(":/list/article.svg")));
  for (const StatusPartText& part : status_part_texts)
    状态条1->add_part(text_of(part.caption), 150);
  // The editor starts wrapping, as the ticked 自动换行 says.
  超级编辑框1->set_word_wrap(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::Resize)
    emit on_resized();
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  closed_ = !query_close_ || query_close_();
  event->setAccepted(closed_);
}
