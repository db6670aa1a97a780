#pragma once

class BackupWindow;

// 数据设置 > 数据备份: opens the backup window modally.
void on_menu_backup();
// Binds a new backup window's buttons to their handlers and runs its created event.
void prepare_backup_window(BackupWindow& window);

// Handlers of the backup window.
void backup_window_created();
void backup_window_browse_clicked();
void backup_database();
void backup_window_cancel_clicked();
