#pragma once

class QWidget;

// A small tool window that stays on top: no frame, and left out of the task bar and the pager, so
// that it never shows there as a second program. Called before the window is first shown.
void make_floating_tool_window(QWidget* window);
