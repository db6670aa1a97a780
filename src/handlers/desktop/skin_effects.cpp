#include "handlers/desktop/skin_effects.h"

#include "platform/skin_library.h"
#include "storage/settings_keys.h"

void on_menu_effects_on() {
  set_skin_effects(1);
  write_switch(setting::skin_effects, true);
}

void on_menu_effects_off() {
  set_skin_effects(0);
  write_switch(setting::skin_effects, false);
}
