#include "handlers/access/remembered_size.h"

#include <QString>

#include <algorithm>

#include "platform/conversions.h"
#include "platform/window_frame.h"
#include "storage/settings_keys.h"
#include "windows/main_window.h"

namespace {

// Room for the menu bar, the toolbar and the status bar inside any usual frame, with every size
// the layout computes at zero or more.
constexpr QSize smallest_window{200, 150};

int positive_or_fallback(const QString& stored, const SettingKey& key) {
  const int value = to_integer(stored);
  return value > 0 ? value : to_integer(QString::fromUtf8(key.fallback));
}

int bounded(int value, int smallest, int largest) {
  return std::max(smallest, std::min(value, largest));
}

}  // namespace

QSize usable_window_size(const QString& width, const QString& height, QSize screen) {
  return {bounded(positive_or_fallback(width, setting::window_width), smallest_window.width(),
                  screen.width()),
          bounded(positive_or_fallback(height, setting::window_height), smallest_window.height(),
                  screen.height())};
}

void apply_remembered_size() {
  if (!setting_is_on(setting::remember_size))
    return;
  place_centred(&main_window(),
                usable_window_size(read_setting(setting::window_width),
                                   read_setting(setting::window_height), available_screen_size()));
}
