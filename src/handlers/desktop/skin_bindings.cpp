#include "handlers/desktop/skin_bindings.h"

#include <array>

#include "handlers/desktop/skin_effects.h"
#include "handlers/desktop/skins.h"
#include "handlers/desktop/transparency.h"
#include "windows/command_binding.h"
#include "windows/main_window.h"

namespace {

struct BuiltinSkinItem {
  MenuCommand command;
  int number;
};

// 皮肤选择: 黑炫静目, 和谐健康, 华夏之心, 色彩缤纷, 积木依然.
constexpr std::array<BuiltinSkinItem, 5> builtin_skin_items = {{
    {MenuCommand::skin_1, 1},
    {MenuCommand::skin_2, 2},
    {MenuCommand::skin_3, 3},
    {MenuCommand::skin_4, 4},
    {MenuCommand::skin_5, 5},
}};

}  // namespace

void bind_skin_commands(MainWindow& window) {
  for (const BuiltinSkinItem& item : builtin_skin_items)
    bind_command(window, item.command, [n = item.number] { apply_builtin_skin(n); });
  bind_command(window, MenuCommand::custom_skin, on_menu_custom_skin);
  bind_command(window, MenuCommand::effects_on, on_menu_effects_on);
  bind_command(window, MenuCommand::effects_off, on_menu_effects_off);
  bind_command(window, MenuCommand::transparency, on_menu_transparency);
}
