#include "handlers/desktop/settings_switches.h"

#include <QCheckBox>

#include "handlers/desktop/floating_icon.h"
#include "handlers/desktop/floating_icon_loading.h"
#include "platform/program_dir.h"
#include "platform/registry.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/settings_keys.h"
#include "windows/settings_window.h"

namespace {

const QString start_at_logon_value =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Run\\WRNFD");

}  // namespace

void settings_window_remember_size_clicked() {
  write_switch(setting::remember_size, settings_window().选择框1->isChecked());
}

void settings_window_start_at_logon_clicked() {
  QCheckBox* box = settings_window().选择框2;
  const bool on = box->isChecked();
  const bool done = on ? write_registry_value(registry_root_local_machine, start_at_logon_value,
                                              program_path(get_program_file_name()))
                       : delete_registry_value(registry_root_local_machine, start_at_logon_value);
  if (done) {
    write_switch(setting::start_at_logon, on);
    return;
  }
  show_message_box(on ? QStringLiteral("设置开机运行失败") : QStringLiteral("取消开机运行失败"),
                   buttons_ok, QString());
  // The switch and KJQD never claim what the desktop will not do at the next logon.
  const bool entry_there = registry_value_exists(registry_root_local_machine, start_at_logon_value);
  box->setChecked(entry_there);
  write_switch(setting::start_at_logon, entry_there);
}

void settings_window_floating_icon_clicked() {
  const bool on = settings_window().选择框3->isChecked();
  if (on) {
    open_floating_icon_window();
  } else {
    // The tray icon goes with its window: left behind, it would answer nothing.
    end_floating_icon();
  }
  write_switch(setting::floating_icon, on);
}
