#pragma once

// Adds an empty article at the end of the selected category, titled by the category's name and
// the new position, and makes its row current. 1 when it was created, 0 when it stopped at the
// category or the duplicate test or the insert failed (reported; no row is added then).
int create_article();
// 文件相关 > 新建 and toolbar button 新建.
void on_menu_new();
// 记录功能菜单 > 新建记录.
void on_menu_new_record();
