#pragma once

// Start-up step: while the login password is switched on, asks for it in the modal login window.
// logged_in then tells whether it was passed.
void login_gate();
// Whether the login is on: the stored switch says so or, when it cannot be read as text, a
// password is stored.
bool login_required();
// 登陆图形按钮, and Enter in the password box: the right password passes, any other is refused.
void check_login_password();
void login_window_password_key_down(int key_code, int shift_state);
void login_window_cancel_clicked();
// The main window's first showing: without a passed login the floating icon goes and the window
// closes before it is ever seen, which ends the program.
void main_window_shown();
