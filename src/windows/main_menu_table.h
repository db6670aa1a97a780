#pragma once

#include <optional>
#include <span>

#include "windows/menu_commands.h"

// One line of the main window's menus, in display order: an item or a separator line.
struct MainMenuEntry {
  // The top-level menu, one of the menu bar's or of the four pop-up menus.
  const char* menu;
  // The submenu inside it that holds the item, or nullptr.
  const char* submenu;
  // nullptr for a separator.
  const char* caption;
  std::optional<MenuCommand> command;
  // Ctrl with this letter, or 0 for none.
  char ctrl_letter = 0;
  bool hidden = false;
  bool checked = false;
};

// The menu bar's menus and items, then those of the pop-up menus, each in display order.
std::span<const MainMenuEntry> main_menu_entries();

// The four top-level menus that never appear in the menu bar.
bool is_popup_menu(const char* menu);
