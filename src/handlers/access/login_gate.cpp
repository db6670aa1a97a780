#include "handlers/access/login_gate.h"

#include "handlers/access/database_connection.h"
#include "handlers/desktop/floating_icon.h"
#include "platform/controls/edit_box.h"
#include "platform/controls/key_code.h"
#include "platform/controls/picture_button.h"
#include "platform/event_boundary.h"
#include "platform/failure_log.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/user_table.h"
#include "windows/command_binding.h"
#include "windows/globals.h"
#include "windows/login_window.h"
#include "windows/main_window.h"

namespace {

void prepare_login_window(LoginWindow& window) {
  QObject::connect(window.编辑框1, &EditBox::on_key_down, &window,
                   guarded(login_window_password_key_down));
  bind_event(window.登陆图形按钮, &PictureButton::on_clicked, &window, check_login_password);
  bind_event(window.图形按钮2, &PictureButton::on_clicked, &window, login_window_cancel_clicked);
}

}  // namespace

bool login_required() {
  if (login_switch_readable(database()))
    return login_switch_on(database());
  // A damaged switch says neither on nor off; a stored password still guards the notebook.
  log_failure(QStringLiteral("read the login switch 开启登陆 of"), database_path(),
              QStringLiteral("the value is no text"));
  return login_password_stored(database());
}

void login_gate() {
  if (!login_required())
    return;
  globals().logged_in = 0;
  LoginWindow window;
  prepare_login_window(window);
  load_window(&window, true);
}

void check_login_password() {
  const QString stored = read_login_password(database());
  LoginWindow& window = login_window();
  if (stored == window.编辑框1->text()) {
    globals().logged_in = 1;
    close_window(&window);
    return;
  }
  show_message_box(QStringLiteral("密码错误"), buttons_ok, QString());
}

void login_window_password_key_down(int key_code, int) {
  if (key_code == key_code_enter)
    check_login_password();
}

void login_window_cancel_clicked() {
  globals().logged_in = 0;
  close_window(&login_window());
}

void main_window_shown() {
  if (globals().logged_in != 0)
    return;
  if (globals().float_icon_shown == 1)
    end_floating_icon();
  // Closed before it is first mapped, the window with the last article never appears anywhere.
  close_window(&main_window());
}
