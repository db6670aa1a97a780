#include "handlers/desktop/settings_window.h"

#include <QCheckBox>
#include <QLineEdit>

#include "handlers/access/login_gate.h"
#include "handlers/access/login_password.h"
#include "handlers/desktop/settings_switches.h"
#include "platform/controls/key_code.h"
#include "platform/controls/picture_button.h"
#include "platform/event_boundary.h"
#include "platform/windows.h"
#include "storage/settings_keys.h"
#include "storage/user_table.h"
#include "windows/command_binding.h"
#include "windows/main_window.h"
#include "windows/settings_window.h"

void on_menu_function_settings() {
  SettingsWindow window;
  prepare_settings_window(window);
  load_window(&window, true);
}

void prepare_settings_window(SettingsWindow& window) {
  bind_event(window.选择框1, &QCheckBox::clicked, &window, settings_window_remember_size_clicked);
  bind_event(window.选择框2, &QCheckBox::clicked, &window, settings_window_start_at_logon_clicked);
  bind_event(window.选择框3, &QCheckBox::clicked, &window, settings_window_floating_icon_clicked);
  bind_event(window.开启密码功能选择框, &QCheckBox::clicked, &window, switch_login_password);
  bind_event(window.图形按钮1, &PictureButton::on_clicked, &window, set_login_password);
  QObject::connect(&window, &SettingsWindow::on_key_down, &window,
                   guarded(settings_window_key_down));
  // A run-time error while filling is reported; the window still opens, as after any handler.
  guarded(fill_settings_window)();
}

void fill_settings_window() {
  SettingsWindow& window = settings_window();
  const bool remember_size = setting_is_on(setting::remember_size);
  const bool floating_icon = setting_is_on(setting::floating_icon);
  const bool start_at_logon = setting_is_on(setting::start_at_logon);
  window.选择框1->setChecked(remember_size);
  window.选择框3->setChecked(floating_icon);
  window.选择框2->setChecked(start_at_logon);

  window.编辑框1->setText(read_login_password(database()));
  const bool login_on = login_required();
  window.开启密码功能选择框->setChecked(login_on);
  enable_password_controls(login_on);
}

void settings_window_key_down(int key_code, int) {
  if (key_code == key_code_escape)
    close_window(&settings_window());
}
