#pragma once

#include <array>

#include "platform/colorref.h"
#include "windows/menu_commands.h"

class FontSizeWindow;

// The fixed items of the toolbar's three pop-up menus; each menu ends with 自定 (custom).
struct FontSizePreset {
  MenuCommand command;
  int size;
};
struct ColourPreset {
  MenuCommand command;
  Colorref colour;
};

inline constexpr std::array<FontSizePreset, 7> font_size_presets{{
    {MenuCommand::size_small_6, 7},   // 小六
    {MenuCommand::size_6, 8},         // 六号
    {MenuCommand::size_small_5, 9},   // 小五
    {MenuCommand::size_5, 11},        // 五号
    {MenuCommand::size_small_4, 12},  // 小四
    {MenuCommand::size_4, 14},        // 四号
    {MenuCommand::size_small_3, 15},  // 小三
}};

inline constexpr std::array<ColourPreset, 7> text_colour_presets{{
    {MenuCommand::text_colour_black, 0x00000000},
    {MenuCommand::text_colour_cyan_green, 0x0080E000},
    {MenuCommand::text_colour_sky_blue, 0x00FF8800},
    {MenuCommand::text_colour_orange, 0x000080FF},
    {MenuCommand::text_colour_red, 0x000000FF},
    {MenuCommand::text_colour_blue, 0x00FF0000},
    {MenuCommand::text_colour_white, 0x00FFFFFF},
}};

inline constexpr std::array<ColourPreset, 7> background_colour_presets{{
    {MenuCommand::background_black, 0x00000000},
    {MenuCommand::background_grey, 0x00808080},
    {MenuCommand::background_silver, 0x00ECECEC},
    {MenuCommand::background_grey_green, 0x0080A080},
    {MenuCommand::background_yellow_brown, 0x000060C0},
    {MenuCommand::background_brown_green, 0x00008080},
    {MenuCommand::background_white, 0x00FFFFFF},
}};

// The selection takes the size or colour; the rest of its format stays.
void set_selection_font_size(int size);
void set_selection_text_colour(Colorref colour);
// The whole editor's background, whatever is selected.
void set_editor_background(Colorref colour);

// 字体大小菜单 > 自定: the font-size window, modally.
void on_menu_font_size_custom();
// A chosen colour with 宋体 9 pt and no effects, unlike the presets, which change the colour alone.
void on_menu_font_colour();
void on_menu_background_colour();
// The font dialog 通用对话框1, run with the properties an earlier use left.
void on_menu_font_settings();

// FontSizeWindow's handlers.
void font_size_window_created(FontSizeWindow& window);
void font_size_window_slider_changed(FontSizeWindow& window);
void font_size_window_ok_clicked(FontSizeWindow& window);
