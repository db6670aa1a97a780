#pragma once

// The settings window's three switches, each stored at its click (its new state already set).
// 保存边框大小: the size is taken and stored from the next start and close on.
void settings_window_remember_size_clicked();
// 设置开机运行: the start-at-logon entry names the program's full path, or goes. When it cannot be
// written or removed the user is told, and the switch and KJQD show whether the entry is there.
void settings_window_start_at_logon_clicked();
// 设置图标快捷: the floating icon comes up at once, or goes.
void settings_window_floating_icon_clicked();
