#include "handlers/desktop/skin_effects.h"

#include "platform/skin_library.h"
#include "storage/settings_keys.h"

void on_menu_effects_on() {
  set_skin_effects(1);
  write_setting(setting::skin_effects, QStringLiteral("1"));
}

void on_menu_effects_off() {
  set_skin_effects(0);
  write_setting(setting::skin_effects, QStringLiteral("0"));
}
