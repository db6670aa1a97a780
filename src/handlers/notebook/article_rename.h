#pragma once

// 记录功能菜单 > 重新命名: opens the list's in-place editor on the current row.
void on_menu_rename_record();
// Ends an in-place edit of a title: true lets the typed text stand as the row's text, false keeps
// the old one.
bool rename_article_in_place();
