#include "handlers/desktop/floating_icon.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "platform/controls/picture_box.h"
#include "platform/failure_log.h"
#include "platform/files.h"
#include "platform/tray_icon.h"
#include "platform/windows.h"
#include "storage/settings_keys.h"
#include "windows/floating_icon_window.h"
#include "windows/globals.h"
#include "windows/main_window.h"
#include "windows/program_icon.h"

namespace {

// A picture for a box of 90 × 30 pixels; anything larger is no picture meant for it.
constexpr qint64 largest_floating_picture = 32 * 1024 * 1024;

int screen_width() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 0;
}

}  // namespace

void floating_icon_created() {
  FloatingIconWindow& window = *floating_icon_window();
  window.move(screen_width() - 130, 70);
  // A stored picture that cannot be shown gives way to the default one in the settings, so that
  // it is not tried again at every start.
  const QString picture = read_setting(setting::floating_picture);
  const QString fallback = setting_fallback(setting::floating_picture);
  if (!show_floating_picture(picture) && picture != fallback)
    write_setting(setting::floating_picture, fallback);
  const QString tip = QStringLiteral("记事本");
  window.tray->set_tray_icon(program_icon(), tip);
  // The picture is the window's one control; a screen reader names it as the tray icon.
  window.图片框1->setAccessibleName(tip);
}

bool show_floating_picture(const QString& path) {
  PictureBox& box = *floating_icon_window()->图片框1;
  const BoundedRead read = read_bounded_file(path, largest_floating_picture);
  box.set_picture(read.bytes);
  if (!read.whole())
    log_failure(QStringLiteral("read the floating picture"), path, read.failure);
  else if (!box.has_picture())
    log_failure(QStringLiteral("show the floating picture"), path,
                QStringLiteral("the file holds no picture that can be drawn"));
  return box.has_picture();
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

void floating_icon_closed_from_outside() {
  // While the start-up login waits, the main window is not shown yet; its first show would count
  // the login as refused.
  if (globals().logged_in == 0)
    return;
  MainWindow& window = main_window();
  if (!window.isVisible())
    show_in_front(&window);
}

void toggle_main_window() {
  MainWindow& window = main_window();
  // A minimised window counts as out of sight: the toggle brings it back.
  if (window_seen(&window))
    window.setVisible(false);
  else
    show_in_front(&window);
}
