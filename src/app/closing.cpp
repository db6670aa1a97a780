#include "app/closing.h"

bool query_close_main_window() { return true; }

void restore_last_position() {}
