#include "handlers/desktop/about.h"

#include "platform/windows.h"
#include "windows/about_window.h"

void on_menu_about() {
  AboutWindow window;
  load_window(&window, true);
}
