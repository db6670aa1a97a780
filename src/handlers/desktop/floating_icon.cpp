#include "handlers/desktop/floating_icon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "platform/controls/picture_box.h"
#include "platform/files.h"
#include "platform/tray_icon.h"
#include "platform/windows.h"
#include "storage/settings_keys.h"
#include "windows/floating_icon_window.h"
#include "windows/globals.h"
#include "windows/main_window.h"
#include "windows/program_icon.h"

namespace {

int screen_width() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 0;
}

}  // namespace

void floating_icon_created() {
  FloatingIconWindow& window = *floating_icon_window();
  window.move(screen_width() - 130, 70);
  // Nothing is tested: a picture that cannot be read leaves the box empty.
  window.图片框1->set_picture(
      read_bounded_file(read_setting(setting::floating_picture), largest_floating_picture).bytes);
  window.tray->set_tray_icon(program_icon(), QStringLiteral("记事本"));
}

void end_floating_icon() {
  if (FloatingIconWindow* window = floating_icon_window()) {
    window->tray->remove_tray_icon();
    close_window(window);
  }
  globals().float_icon_shown = 0;
}

void floating_icon_tray_event(int code) {
  // While the start-up login waits, the main window must not be shown or closed: its first show
  // would count the login as refused. A tray may answer although the login window is modal.
  if (globals().logged_in == 0)
    return;
  if (code == tray_double_click)
    toggle_main_window();
  else if (code == tray_context)
    floating_icon_window()->menu_tray->popup(QCursor::pos());
}

void floating_icon_picture_right_button_down() {
  floating_icon_window()->menu_float->popup(QCursor::pos());
}

void floating_icon_picture_double_click() {
  toggle_main_window();
}

void toggle_main_window() {
  MainWindow& window = main_window();
  window.setVisible(!window.isVisible());
}
