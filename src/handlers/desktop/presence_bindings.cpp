#include "handlers/desktop/presence_bindings.h"

#include "handlers/desktop/about.h"
#include "handlers/desktop/settings_window.h"
#include "windows/command_binding.h"
#include "windows/main_window.h"

void bind_presence_commands(MainWindow& window) {
  bind_command(window, MenuCommand::settings, on_menu_function_settings);
  bind_command(window, MenuCommand::about, on_menu_about);
}
