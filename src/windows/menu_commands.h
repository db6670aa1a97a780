#pragma once

#include <cstddef>

// Every menu item of the main window that runs a handler: the menu bar's items and those of the
// four pop-up menus. main_menu_table.cpp gives each its caption, shortcut, place and state.
enum class MenuCommand {
  // 文件相关
  new_article,
  open,
  save,
  save_as,
  // 编辑相关
  undo,
  cut,
  copy,
  paste,
  delete_selection,
  refresh,
  find,
  select_all,
  // 文本设置
  font_settings,
  font_colour,
  background_colour,
  // 皮肤设置
  effects_on,
  effects_off,
  transparency,
  skin_1,
  skin_2,
  skin_3,
  skin_4,
  skin_5,
  custom_skin,
  // 记录查找, 目录设置, 常规设置, 功能设置
  record_search,
  category_manager,
  page_setup,
  settings,
  // 其他相关
  word_wrap,
  // 数据设置
  backup,
  restore,
  // 关于
  about,
  // 字体颜色菜单
  text_colour_black,
  text_colour_cyan_green,
  text_colour_sky_blue,
  text_colour_orange,
  text_colour_red,
  text_colour_blue,
  text_colour_white,
  text_colour_custom,
  // 背景颜色菜单
  background_black,
  background_grey,
  background_silver,
  background_grey_green,
  background_yellow_brown,
  background_brown_green,
  background_white,
  background_custom,
  // 字体大小菜单
  size_small_6,
  size_6,
  size_small_5,
  size_5,
  size_small_4,
  size_4,
  size_small_3,
  size_custom,
  // 记录功能菜单
  record_save,
  record_move_up,
  record_move_down,
  record_adjust,
  record_new,
  record_rename,
  record_delete,
  record_properties,
  // Not a command: how many there are. Tables of commands are sized by it.
  count,
};

inline constexpr std::size_t menu_command_count = static_cast<std::size_t>(MenuCommand::count);
