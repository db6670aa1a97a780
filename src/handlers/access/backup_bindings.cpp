#include "handlers/access/backup_bindings.h"

#include "handlers/access/backup.h"
#include "handlers/access/restore.h"
#include "windows/command_binding.h"
#include "windows/main_window.h"

void bind_backup_commands(MainWindow& window) {
  bind_command(window, MenuCommand::backup, on_menu_backup);
  bind_command(window, MenuCommand::restore, restore_database);
}
