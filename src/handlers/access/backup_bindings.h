#pragma once

class MainWindow;

// Binds the two items of 数据设置: backup and restore.
void bind_backup_commands(MainWindow& window);
