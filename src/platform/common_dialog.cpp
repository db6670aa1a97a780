#include "platform/common_dialog.h"

#include "platform/ui_seam.h"

int run_common_dialog(CommonDialog& dialog) {
  switch (dialog.kind) {
    case CommonDialog::Kind::file:
      return ui_seam().file_dialog(dialog) ? 1 : 0;
    case CommonDialog::Kind::font:
      return ui_seam().font_dialog(dialog) ? 1 : 0;
  }
  return 0;
}
