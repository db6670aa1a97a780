#pragma once

#include <QString>

// The window is created: top right of the screen, its picture, the tray icon.
void floating_icon_created();
// Shows the picture in the file at path in the window's picture box. A file that is no picture
// the box can show (missing, no regular file, too large, not a picture) leaves the box plain
// and one line on standard error; false then.
bool show_floating_picture(const QString& path);
// Takes the floating icon away: tray icon removed, window closed, float_icon_shown cleared.
void end_floating_icon();

// Actions on the tray icon by their codes: 2 shows or hides the main window, 3 opens 托盘菜单.
void floating_icon_tray_event(int code);
// The picture: the right button opens 漂浮菜单, a double click shows or hides the main window.
void floating_icon_picture_right_button_down();
void floating_icon_picture_double_click();
// Hides the main window when the user sees it; brings it back in front when it is hidden or
// minimised.
void toggle_main_window();
// The window manager closed the floating window (and its tray icon with it): a hidden main
// window is shown again, so the program never runs on with no way back to it.
void floating_icon_closed_from_outside();
