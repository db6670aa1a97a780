#pragma once

// The editor commands of the menus 文件相关, 编辑相关 and 其他相关 and of the toolbar.

// Loads a document into the editor; refused while the article list has no current row, since
// the document is meant to be saved into that article.
void on_menu_open();
// Writes the editor's rich text to a file chosen in 通用对话框2.
void on_menu_save_as();
void on_menu_undo();
void on_menu_cut();
void on_menu_copy();
void on_menu_paste();
void on_menu_delete();
void on_menu_refresh();
void on_menu_select_all();
// 自动换行: choosing it moves its check mark, and word wrap follows the mark.
void on_menu_word_wrap();
// The editor's right click: the menu 编辑相关 at the mouse pointer.
void main_editor_right_button_down();
