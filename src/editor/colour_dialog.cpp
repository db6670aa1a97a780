#include "editor/colour_dialog.h"

#include <array>

#include "app/main_window.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"

int pick_colour(Colorref& colour) {
  // Custom colours are not kept from one call to the next; they start white, as the system
  // dialog's do.
  std::array<Colorref, 16> custom_colours;
  custom_colours.fill(0x00FFFFFF);
  const std::optional<Colorref> chosen =
      ui_seam().colour_dialog(main_window().超级编辑框1, custom_colours);
  if (!chosen)
    return 0;
  colour = *chosen;
  return 1;
}
