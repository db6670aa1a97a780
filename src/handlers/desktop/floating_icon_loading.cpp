#include "handlers/desktop/floating_icon_loading.h"

#include <QAction>

#include "handlers/desktop/floating_icon.h"
#include "handlers/desktop/floating_icon_menus.h"
#include "platform/controls/picture_box.h"
#include "platform/event_boundary.h"
#include "platform/tray_icon.h"
#include "platform/windows.h"
#include "storage/settings_keys.h"
#include "windows/command_binding.h"
#include "windows/floating_icon_window.h"
#include "windows/globals.h"

namespace {

void bind_floating_icon_window(FloatingIconWindow& window) {
  QObject::connect(window.tray, &TrayIcon::on_tray_event, &window,
                   guarded(floating_icon_tray_event));
  bind_event(&window, &FloatingIconWindow::on_closed_from_outside, &window,
             floating_icon_closed_from_outside);
  bind_event(window.图片框1, &PictureBox::on_right_button_down, &window,
             floating_icon_picture_right_button_down);
  bind_event(window.图片框1, &PictureBox::on_double_click, &window,
             floating_icon_picture_double_click);
  bind_event(window.float_show, &QAction::triggered, &window, on_menu_float_show);
  bind_event(window.float_icon_custom, &QAction::triggered, &window, on_menu_float_icon_custom);
  bind_event(window.float_icon_default, &QAction::triggered, &window, on_menu_float_icon_default);
  bind_event(window.float_exit, &QAction::triggered, &window, on_menu_float_exit);
  bind_event(window.tray_show, &QAction::triggered, &window, on_menu_tray_show);
  bind_event(window.tray_hide, &QAction::triggered, &window, on_menu_tray_hide);
  bind_event(window.tray_exit, &QAction::triggered, &window, on_menu_tray_exit);
}

}  // namespace

void restore_floating_icon() {
  if (!setting_is_on(setting::floating_icon))
    return;
  open_floating_icon_window();
}

void open_floating_icon_window() {
  if (floating_icon_window() != nullptr)
    return;
  auto* window = new FloatingIconWindow;
  // The flag follows the window, however it closes: with the icon gone, closing the main window
  // must end the program, not hide it where nothing could show it again.
  globals().float_icon_shown = 1;
  QObject::connect(window, &QObject::destroyed, [] {
    if (!floating_icon_window_loaded())
      globals().float_icon_shown = 0;
  });
  bind_floating_icon_window(*window);
  guarded(floating_icon_created)();
  load_window(window, false);
}
