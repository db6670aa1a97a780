#pragma once

#include <QPoint>

// 工具条1's click on a button's body, by 0-based index (separators counted).
void main_toolbar_button_clicked(int index);
// A click on a drop-down button's arrow: the same pop-up menu as its body.
void main_toolbar_dropdown_clicked(int index);

// Where a drop-down button's menu opens on the screen: fixed offsets from the main window's
// top-left corner, not the button's real place.
QPoint toolbar_menu_position(int index);
