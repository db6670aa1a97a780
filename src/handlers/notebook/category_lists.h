#pragma once

// The main window's category selector and article list, filled in stored position order.
void fill_category_combo();
void fill_article_list();
void on_category_changed();
void main_combo_dropdown();
void main_list_right_click();
void update_record_menu_items();
