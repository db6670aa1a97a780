#pragma once

// Loading the current row's article into the editor and saving the editor into the loaded
// article.

// Loads the current row's article after the save question; when the user wants the edits saved
// and the save fails, the editor keeps them and the loaded article's row is current again.
void load_selected_article();
// 1 saved, 0 not saved (refused or failed; the failure has been reported).
int save_current_article();
void on_menu_save();
void on_menu_save_record();

// The save question: when the editor is modified, asks "当前内容已被修改 是否进行保存" and saves on
// Yes. Gives the save's result on Yes, and 1 when nothing was asked or the answer was No. It
// neither clears nor keeps the modified flag: each asking place does what it must afterwards.
int offer_to_save_modified_article();
