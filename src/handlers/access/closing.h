#pragma once

// Answers a request to close the main window: true lets it close.
bool query_close_main_window();
