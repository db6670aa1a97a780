#include "handlers/editor/colour_dialog.h"

#include <array>

#include "platform/rich_editor.h"
#include "platform/windows.h"
#include "windows/main_window.h"

int pick_colour(Colorref& colour) {
  // Custom colours are not kept from one call to the next; they start white, as the system
  // dialog's do.
  std::array<Colorref, 16> custom_colours;
  custom_colours.fill(0x00FFFFFF);
  const std::optional<Colorref> chosen = choose_colour(main_window().超级编辑框1, custom_colours);
  if (!chosen)
    return 0;
  colour = *chosen;
  return 1;
}
