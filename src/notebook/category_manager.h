#pragma once

// The category manager's opening, its list and name box, adding and renaming.
void on_menu_category_manager();
void category_manager_created();
// Rebuilds the manager's list from 目录管理 in position order; leaves no row current.
void fill_category_list();
void category_manager_list_row_changed();
void add_category();
void rename_category();
