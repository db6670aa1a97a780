#include "handlers/desktop/floating_icon_menus.h"

#include "handlers/desktop/floating_icon.h"
#include "platform/program_dir.h"
#include "platform/windows.h"
#include "storage/settings_keys.h"
#include "windows/floating_icon_window.h"
#include "windows/main_window.h"

namespace {

// Both 退出 items.
void exit_through_full_close() {
  end_floating_icon();
  MainWindow& window = main_window();
  const bool was_hidden = !window.isVisible();
  // A close that does not end the program (a failed save keeps the window) must not leave it
  // hidden: with the floating icon gone nothing could show it again.
  if (!close_window(&window) && was_hidden)
    show_in_front(&window);
}

}  // namespace

void on_menu_float_show() {
  toggle_main_window();
}

void on_menu_float_icon_custom() {
  FloatingIconWindow& window = *floating_icon_window();
  window.通用对话框1.initial_dir = program_path(QStringLiteral("ico/"));
  if (run_common_dialog(window.通用对话框1) == 0)
    return;
  show_floating_picture(window.通用对话框1.file_name);
  write_setting(setting::floating_picture, window.通用对话框1.file_name);
}

void on_menu_float_icon_default() {
  const QString path = setting_fallback(setting::floating_picture);
  write_setting(setting::floating_picture, path);
  show_floating_picture(path);
}

void on_menu_tray_show() {
  show_in_front(&main_window());
}

void on_menu_tray_hide() {
  main_window().setVisible(false);
}

void on_menu_float_exit() {
  exit_through_full_close();
}

void on_menu_tray_exit() {
  exit_through_full_close();
}
