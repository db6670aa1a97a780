#include "handlers/access/login_password.h"

#include <QCheckBox>
#include <QLineEdit>

#include "platform/controls/picture_button.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/user_table.h"
#include "windows/login_window.h"
#include "windows/main_window.h"
#include "windows/settings_window.h"

void set_login_password() {
  const QString password = settings_window().编辑框1->text();
  // Cut to what the login box takes, it could never be typed at the login.
  if (password.size() > longest_login_password) {
    show_message_box(QStringLiteral("密码不能超过%1个字符").arg(longest_login_password), buttons_ok,
                     QString());
    return;
  }
  if (store_login_password(database(), password))
    show_message_box(QStringLiteral("密码设置成功"), buttons_ok, QString());
  else
    show_message_box(QStringLiteral("密码设置失败"), buttons_ok, QString());
}

void switch_login_password() {
  QCheckBox* box = settings_window().开启密码功能选择框;
  const bool on = box->isChecked();
  if (!store_login_switch(database(), on)) {
    show_message_box(on ? QStringLiteral("开启密码功能失败") : QStringLiteral("关闭密码功能失败"),
                     buttons_ok, QString());
    box->setChecked(!on);
    return;
  }
  enable_password_controls(on);
}

void enable_password_controls(bool login_on) {
  SettingsWindow& window = settings_window();
  window.编辑框1->setEnabled(login_on);
  window.图形按钮1->setEnabled(login_on);
}
