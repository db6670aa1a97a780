#include "handlers/desktop/saved_appearance.h"

#include "handlers/desktop/skins.h"
#include "handlers/desktop/transparency.h"
#include "platform/conversions.h"
#include "platform/skin_library.h"
#include "storage/settings_keys.h"

void apply_saved_appearance() {
  // One byte names a built-in skin; anything else is the path of a chosen file.
  const QString skin = read_setting(setting::skin);
  if (gbk_byte_count(skin) == 1)
    attach_skin(builtin_skin_file(skin));
  else if (attach_skin(skin) != skin_attached)
    apply_builtin_skin(2);
  set_skin_effects(setting_is_on(setting::skin_effects) ? 1 : 0);
  apply_transparency(stored_transparency_position());
}
