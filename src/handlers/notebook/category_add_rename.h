#pragma once

// The category manager's 添加 and 命名: a new category at the end, or a new name for the chosen
// one and its articles. Both refresh the main window afterwards.
void add_category();
void rename_category();
