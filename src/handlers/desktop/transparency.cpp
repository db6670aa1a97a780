#include "handlers/desktop/transparency.h"

#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

#include "platform/conversions.h"
#include "platform/event_boundary.h"
#include "platform/skin_library.h"
#include "platform/windows.h"
#include "storage/settings_keys.h"
#include "windows/command_binding.h"
#include "windows/main_window.h"
#include "windows/transparency_window.h"

namespace {

constexpr int most_transparent_position = 200;

}  // namespace

int stored_transparency_position() {
  return std::clamp(to_integer(read_setting(setting::transparency)), 0, most_transparent_position);
}

void apply_transparency(int position) {
  const int alpha = 255 - position;
  set_window_alpha(&main_window(), alpha);
  set_menu_alpha(alpha);
}

void on_menu_transparency() {
  TransparencyWindow window(&main_window());
  // Program writes of the slider block its signals, so this runs for the user's moves only.
  bind_event(window.多功能条1, &QSlider::valueChanged, &window,
             [&window] { transparency_window_slider_changed(window); });
  guarded([&window] { transparency_window_created(window); })();
  load_window(&window, true);
}

void transparency_window_created(TransparencyWindow& window) {
  const QSignalBlocker program_write(window.多功能条1);
  window.多功能条1->setValue(stored_transparency_position());
}

void transparency_window_slider_changed(TransparencyWindow& window) {
  apply_transparency(window.多功能条1->value());
  write_setting(setting::transparency, to_text(window.多功能条1->value()));
}
