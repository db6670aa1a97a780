#pragma once

#include <QPoint>
#include <QWidget>

#include <memory>

#include "platform/common_dialog.h"

class PictureBox;
class QAction;
class QMenu;
class TrayIcon;

namespace Ui {
class FloatingIconWindow;
}

// The floating icon: a small picture without frame, always on top and not in the taskbar, that
// is dragged by pressing anywhere in it. It owns the tray icon and the two pop-up menus, and goes
// when it is closed.
class FloatingIconWindow : public QWidget {
  Q_OBJECT

 public:
  explicit FloatingIconWindow(QWidget* parent = nullptr);
  ~FloatingIconWindow() override;

  // Controls.
  PictureBox* 图片框1 = nullptr;
  CommonDialog 通用对话框1{CommonDialog::Kind::file};
  TrayIcon* tray = nullptr;

  // 漂浮菜单: 显示, 图标 > 自选 / 默认, 退出.
  QMenu* menu_float = nullptr;
  QAction* float_show = nullptr;
  QAction* float_icon_custom = nullptr;
  QAction* float_icon_default = nullptr;
  QAction* float_exit = nullptr;
  // 托盘菜单: 显示, 隐藏, 退出.
  QMenu* menu_tray = nullptr;
  QAction* tray_show = nullptr;
  QAction* tray_hide = nullptr;
  QAction* tray_exit = nullptr;

 signals:
  // The window manager closed the window (a close from the program does not count).
  void on_closed_from_outside();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void build_menus();

  std::unique_ptr<Ui::FloatingIconWindow> ui;
  // Where the pointer took hold of the window, relative to its top left corner.
  QPoint drag_offset_;
};

// The loaded floating icon window, or nullptr while none is; a closed one is no longer loaded.
FloatingIconWindow* floating_icon_window();
// Whether one is loaded; safe to ask while a window is being destroyed, when the pointer is not.
bool floating_icon_window_loaded();
