#pragma once

// The category manager's list of categories and its name box.
void category_manager_created();
// Rebuilds the manager's list from 目录管理 in position order; leaves no row current.
void fill_category_list();
void category_manager_list_row_changed();
