#pragma once

class FindDialog;

// 编辑相关 > 查找 and toolbar button 8: opens the find window without blocking, or brings the
// open one to the front.
void on_menu_find();
// 开始查找: searches from the beginning of the editor's text.
void find_dialog_find_clicked(FindDialog& dialog);
// 查找下一个: searches from one after the last hit; after a failed find-next, from the beginning.
void find_dialog_find_next_clicked(FindDialog& dialog);
