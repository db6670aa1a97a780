#include "app/command_binding.h"
#include "app/main_window.h"
#include "notebook/category_manager.h"
#include "notebook/notebook_commands.h"

void bind_category_manager_commands(MainWindow& window) {
  bind_command(window, MenuCommand::category_manager, on_menu_category_manager);
}
