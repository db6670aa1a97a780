#pragma once

class CategoryManagerWindow;

// 目录设置 > 目录管理: after the save question, opens the category manager modally.
void on_menu_category_manager();
// Binds a new manager's controls to their handlers and runs its created event (the list fill).
void prepare_category_manager(CategoryManagerWindow& window);
