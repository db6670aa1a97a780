#include "platform/ui_seam_in_use.h"

#include "platform/desktop_seam.h"

namespace {

UiSeam*& installed_seam() {
  static UiSeam* seam = nullptr;
  return seam;
}

}  // namespace

UiSeam& ui_seam() {
  static DesktopSeam desktop;
  UiSeam* seam = installed_seam();
  return seam ? *seam : desktop;
}

void set_ui_seam(UiSeam* seam) {
  installed_seam() = seam;
}
