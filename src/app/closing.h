#pragma once

// Answers a request to close the main window: true lets it close.
bool query_close_main_window();
// Start-up: reselects the last category and article and puts the caret back.
void restore_last_position();
