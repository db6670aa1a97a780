#include "app/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>

#include <map>
#include <string_view>

#include "app/closing.h"
#include "app/command_binding.h"
#include "app/layout.h"
#include "app/main_menu_table.h"
#include "app/toolbar_table.h"
#include "editor/editor_commands.h"
#include "notebook/notebook_commands.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/report_list.h"
#include "platform/controls/splitter_bar.h"
#include "platform/controls/status_bar.h"
#include "platform/controls/tab_frame.h"
#include "platform/controls/toolbar.h"
#include "platform/event_boundary.h"
#include "platform/rich_editor.h"
#include "platform/windows.h"
#include "ui_main_window.h"

namespace {

MainWindow* instance = nullptr;

constexpr int menu_command_count = static_cast<int>(MenuCommand::record_properties) + 1;

QString text_of(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

MainWindow& main_window() {
  Q_ASSERT(instance != nullptr);
  return *instance;
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), actions_(menu_command_count, nullptr) {
  instance = this;
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
  bind_layout_events();
  bind_notebook_commands(*this);
  bind_editor_commands(*this);

  centre_on_screen(this);
}

MainWindow::~MainWindow() {
  // Controls going away must not reach handlers that would look for this window.
  for (QObject* child : findChildren<QObject*>())
    child->blockSignals(true);
  delete ui;
  if (instance == this)
    instance = nullptr;
}

QAction* MainWindow::action(MenuCommand command) const {
  return actions_[static_cast<int>(command)];
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
    actions_[static_cast<int>(*entry.command)] = item;
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
        工具条1->add_button(asset_picture(text_of(entry.picture)), text_of(entry.tooltip));
        break;
      case ToolbarEntry::Kind::dropdown:
        工具条1->add_dropdown_button(asset_picture(text_of(entry.picture)), text_of(entry.tooltip));
        break;
    }
  }
}

void MainWindow::build_controls() {
  超级列表框1->add_column(QStringLiteral("记录列表"), 150, 0);
  超级列表框1->set_row_picture(asset_picture(QStringLiteral(":/list/article.svg")));
  for (const char* part : {"当前位置：", "当前行号：", "共计字数：", "当前日期："})
    状态条1->add_part(text_of(part), 150);
  // The editor starts wrapping, as the ticked 自动换行 says.
  超级编辑框1->set_word_wrap(true);
}

void MainWindow::bind_layout_events() {
  centralWidget()->installEventFilter(this);
  connect(分隔条1, &SplitterBar::on_moved, this, guarded(main_splitter_moved));
  bind_command(*this, MenuCommand::record_adjust, toggle_list_panel);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The client area is the central widget: its size is what the layout formulas read.
  if (watched == centralWidget() && event->type() == QEvent::Resize)
    guarded(main_window_resized)();
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bool may_close = false;
  guarded([&may_close] { may_close = query_close_main_window(); })();
  if (may_close)
    event->accept();
  else
    event->ignore();
}
