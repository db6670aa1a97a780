#include "windows/main_menu_table.h"

#include <array>
#include <cstring>

namespace {

using enum MenuCommand;

constexpr const char* file = "文件相关";
constexpr const char* edit = "编辑相关";
constexpr const char* text = "文本设置";
constexpr const char* skin = "皮肤设置";
constexpr const char* font_colour_menu = "字体颜色菜单";
constexpr const char* background_menu = "背景颜色菜单";
constexpr const char* font_size_menu = "字体大小菜单";
constexpr const char* record_menu = "记录功能菜单";

constexpr MainMenuEntry item(const char* menu, const char* caption, MenuCommand command,
                             char ctrl_letter = 0) {
  return {menu, nullptr, caption, command, ctrl_letter};
}

constexpr MainMenuEntry sub(const char* menu, const char* submenu, const char* caption,
                            MenuCommand command) {
  return {menu, submenu, caption, command};
}

constexpr MainMenuEntry separator(const char* menu) {
  return {menu, nullptr, nullptr, std::nullopt};
}

constexpr auto entries = std::to_array<MainMenuEntry>({
    item(file, "新建", new_article, 'N'),
    item(file, "打开", open, 'O'),
    item(file, "保存", save, 'S'),
    item(file, "另存为...", save_as),

    item(edit, "撤销", undo, 'Z'),
    separator(edit),
    item(edit, "剪切", cut, 'X'),
    item(edit, "复制", copy, 'C'),
    item(edit, "粘贴", paste, 'V'),
    item(edit, "删除", delete_selection),
    {edit, nullptr, "刷新", refresh, 0, true},
    separator(edit),
    item(edit, "查找", find, 'F'),
    item(edit, "全选", select_all, 'A'),

    item(text, "字体设置", font_settings),
    item(text, "字体颜色", font_colour),
    item(text, "背景颜色", background_colour),

    sub(skin, "皮肤特效", "开启特效", effects_on),
    sub(skin, "皮肤特效", "关闭特效", effects_off),
    sub(skin, "皮肤透明", "透明设置", transparency),
    sub(skin, "皮肤选择", "黑炫静目", skin_1),
    sub(skin, "皮肤选择", "和谐健康", skin_2),
    sub(skin, "皮肤选择", "华夏之心", skin_3),
    sub(skin, "皮肤选择", "色彩缤纷", skin_4),
    sub(skin, "皮肤选择", "积木依然", skin_5),
    sub(skin, "皮肤自选", "自选皮肤", custom_skin),

    item("记录查找", "记录查找", record_search),
    item("目录设置", "目录管理", category_manager),
    item("常规设置", "页面设置", page_setup),
    item("功能设置", "功能设置", settings),
    {"其他相关", nullptr, "自动换行", word_wrap, 0, false, true},
    item("数据设置", "数据备份", backup),
    item("数据设置", "数据恢复", restore),
    item("关于", "软件相关", about),

    item(font_colour_menu, "黑色", text_colour_black),
    item(font_colour_menu, "青绿", text_colour_cyan_green),
    item(font_colour_menu, "天蓝", text_colour_sky_blue),
    item(font_colour_menu, "橙黄", text_colour_orange),
    item(font_colour_menu, "红色", text_colour_red),
    item(font_colour_menu, "蓝色", text_colour_blue),
    item(font_colour_menu, "白色", text_colour_white),
    separator(font_colour_menu),
    item(font_colour_menu, "自定", text_colour_custom),

    item(background_menu, "黑色", background_black),
    item(background_menu, "灰色", background_grey),
    item(background_menu, "银白", background_silver),
    item(background_menu, "灰绿", background_grey_green),
    item(background_menu, "黄褐", background_yellow_brown),
    item(background_menu, "褐绿", background_brown_green),
    item(background_menu, "白色", background_white),
    separator(background_menu),
    item(background_menu, "自定", background_custom),

    item(font_size_menu, "小六", size_small_6),
    item(font_size_menu, "六号", size_6),
    item(font_size_menu, "小五", size_small_5),
    item(font_size_menu, "五号", size_5),
    item(font_size_menu, "小四", size_small_4),
    item(font_size_menu, "四号", size_4),
    item(font_size_menu, "小三", size_small_3),
    separator(font_size_menu),
    item(font_size_menu, "自定", size_custom),

    item(record_menu, "保存记录", record_save),
    separator(record_menu),
    item(record_menu, "向上移动", record_move_up),
    item(record_menu, "向下移动", record_move_down),
    item(record_menu, "调整位置", record_adjust),
    separator(record_menu),
    item(record_menu, "新建记录", record_new),
    item(record_menu, "重新命名", record_rename),
    item(record_menu, "删除记录", record_delete),
    separator(record_menu),
    item(record_menu, "记录属性", record_properties),
});

// Each command has exactly one item, so every command's action exists and none is overwritten.
constexpr bool each_command_has_one_item() {
  std::array<int, menu_command_count> items{};
  for (const MainMenuEntry& entry : entries)
    if (entry.command)
      ++items.at(static_cast<std::size_t>(*entry.command));
  for (int n : items)
    if (n != 1)
      return false;
  return true;
}
static_assert(each_command_has_one_item());

constexpr std::array<const char*, 4> popup_names = {font_colour_menu, background_menu,
                                                    font_size_menu, record_menu};

}  // namespace

std::span<const MainMenuEntry> main_menu_entries() {
  return entries;
}

bool is_popup_menu(const char* menu) {
  for (const char* name : popup_names)
    if (std::strcmp(name, menu) == 0)
      return true;
  return false;
}
