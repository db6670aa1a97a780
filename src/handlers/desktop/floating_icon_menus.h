#pragma once

// The items of the floating icon's two pop-up menus.
// 漂浮菜单 显示: shows or hides the main window, as the double click does.
void on_menu_float_show();
// 图标 > 自选: a picture file of the user's, shown and stored in FDTB; cancelling changes nothing.
void on_menu_float_icon_custom();
// 图标 > 默认: ico/2.jpg of the program directory, stored in FDTB and shown.
void on_menu_float_icon_default();
// 托盘菜单 显示 and 隐藏.
void on_menu_tray_show();
void on_menu_tray_hide();
// 退出 of either menu: the floating icon goes, then the main window takes its full close.
void on_menu_float_exit();
void on_menu_tray_exit();
