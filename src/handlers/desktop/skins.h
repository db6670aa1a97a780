#pragma once

#include <QString>

// The file of built-in skin number (its decimal text) in the program directory's skin folder.
QString builtin_skin_file(const QString& number);

// Makes built-in skin n (1 to 5) the current skin and stores n as the current skin.
void apply_builtin_skin(int n);

// 皮肤自选 > 自选皮肤: a skin file of the user's, chosen in the main window's file dialog. The path
// is stored whether or not the file attaches.
void on_menu_custom_skin();
