#pragma once

class PageSetupWindow;

// 常规设置 > 页面设置: the page-setup window, modally; returns once it has closed.
void on_menu_page_setup();
// Binds a new page-setup window's controls to their handlers and runs its created event.
void prepare_page_setup(PageSetupWindow& window);

// PageSetupWindow's handlers.
// Created: the font list, then every control from the stored format.
void page_setup_created(PageSetupWindow& window);
void fill_font_list(PageSetupWindow& window);
void load_page_setup_values(PageSetupWindow& window);
// 应用修改: the editor takes the dialog's format; nothing is stored and the window stays open.
void apply_page_setup(PageSetupWindow& window);
// 恢复默认: the factory values into the controls; 下次使用现行设置, the editor and the settings
// file stay as they are.
void page_setup_defaults_clicked(PageSetupWindow& window);
void page_setup_close_clicked(PageSetupWindow& window);
// Esc closes the window; every other key does nothing.
void page_setup_key_down(PageSetupWindow& window, int key_code);
// Being destroyed, however it was closed: the values shown are stored while 下次使用现行设置 is
// ticked.
void store_page_setup(PageSetupWindow& window);
// 下次使用现行设置 clicked: the switch is stored at once.
void page_setup_keep_settings_clicked(PageSetupWindow& window);
