#pragma once

#include <QMainWindow>

#include <array>
#include <functional>

#include "platform/common_dialog.h"
#include "platform/database.h"
#include "platform/zip.h"
#include "windows/menu_commands.h"

class ComboBox;
class PictureButton;
class QAction;
class QGroupBox;
class QMenu;
class QTabWidget;
class ReportList;
class RichEditor;
class SplitterBar;
class StatusBar;
class Toolbar;

namespace Ui {
class MainWindow;
}

// The start window. Its controls keep their designer names; handlers elsewhere reach them
// through main_window(). The window binds no handler itself: the start-up chain wires them.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // Answers a request to close: true lets the window close. Without one it always closes.
  void set_query_close_handler(std::function<bool()> handler);
  // Runs once, when the window is about to show for the first time; a window that the handler
  // closed is never shown.
  void set_first_shown_handler(std::function<void()> handler);
  void setVisible(bool visible) override;

  // Controls.
  Toolbar* 工具条1 = nullptr;
  QTabWidget* 高级选择夹1 = nullptr;
  RichEditor* 超级编辑框1 = nullptr;
  SplitterBar* 分隔条1 = nullptr;
  ComboBox* 组合框1 = nullptr;
  ReportList* 超级列表框1 = nullptr;
  QGroupBox* 分组框1 = nullptr;
  PictureButton* 图形按钮1 = nullptr;
  PictureButton* 图形按钮2 = nullptr;
  StatusBar* 状态条1 = nullptr;
  ExternalDatabase 外部数据库1;
  CommonDialog 通用对话框1{CommonDialog::Kind::font};
  CommonDialog 通用对话框2{CommonDialog::Kind::file};
  ZipComponent ZIP压缩1;

  // The menu item of a command; the same action serves menu bar, pop-up and shortcut.
  QAction* action(MenuCommand command) const;
  // The four pop-up menus and the menu 编辑相关 (also the editor's context menu).
  QMenu* menu_edit = nullptr;
  QMenu* menu_font_colour = nullptr;        // 字体颜色菜单
  QMenu* menu_background_colour = nullptr;  // 背景颜色菜单
  QMenu* menu_font_size = nullptr;          // 字体大小菜单
  QMenu* menu_record = nullptr;             // 记录功能菜单

 signals:
  // The client area (below the menu bar and the toolbar) has a new size.
  void on_resized();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build_menus();
  void build_toolbar();
  void build_controls();

  Ui::MainWindow* ui;
  std::array<QAction*, menu_command_count> actions_{};
  std::function<bool()> query_close_;
  std::function<void()> first_shown_;
  bool shown_before_ = false;
  bool closed_ = false;
};

// The loaded main window; only valid while one exists.
MainWindow& main_window();
// Its one database connection, 外部数据库1.
ExternalDatabase& database();
