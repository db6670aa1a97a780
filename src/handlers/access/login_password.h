#pragma once

// The settings window's password controls. 图形按钮1 stores the password box's text as the login
// password, refusing one longer than the login box takes; 开启密码功能选择框 switches the login on
// or off, its new state already set.
void set_login_password();
void switch_login_password();
// Enables the password box and its button only while the login is on.
void enable_password_controls(bool login_on);
