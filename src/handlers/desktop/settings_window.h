#pragma once

class SettingsWindow;

// 功能设置 > 功能设置: opens the settings window modally.
void on_menu_function_settings();
// Binds a new settings window's controls to their handlers and runs its created event (the fill).
void prepare_settings_window(SettingsWindow& window);
// Shows the stored switches and the first login row: the password stands masked in its box.
void fill_settings_window();
// Esc closes the window; the switches already clicked stay stored.
void settings_window_key_down(int key_code, int shift_state);
