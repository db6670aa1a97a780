#pragma once

#include <QtGlobal>

// The window is created: top right of the screen, its picture, the tray icon.
void floating_icon_created();
// Takes the floating icon away: tray icon removed, window closed, float_icon_shown cleared.
void end_floating_icon();

// Actions on the tray icon by their codes: 2 shows or hides the main window, 3 opens 托盘菜单.
void floating_icon_tray_event(int code);
// The picture: the right button opens 漂浮菜单, a double click shows or hides the main window.
void floating_icon_picture_right_button_down();
void floating_icon_picture_double_click();
// Shows the main window when it is hidden and hides it when it is shown.
void toggle_main_window();

// A picture for a box of 90 × 30 pixels; anything larger is no picture meant for it.
inline constexpr qint64 largest_floating_picture = 32 * 1024 * 1024;
