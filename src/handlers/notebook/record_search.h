#pragma once

class RecordSearchWindow;

// 记录查找 > 记录查找: after the save question, opens the search window modally.
void open_record_search();
// Binds a new search window's controls and keys to their handlers.
void prepare_record_search(RecordSearchWindow& window);

// Lists every article of every category whose title holds the typed text.
void search_articles_by_title();
// Enter in the search box searches.
void record_search_title_box_key_down(int key_code, int shift_state);
// Makes the chosen hit's category and article current in the main window.
void record_search_go_to_clicked();
void record_search_close_clicked();
// Esc closes the window.
void record_search_key_down(int key_code, int shift_state);
