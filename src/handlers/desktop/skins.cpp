#include "handlers/desktop/skins.h"

#include "platform/common_dialog.h"
#include "platform/conversions.h"
#include "platform/program_dir.h"
#include "platform/skin_library.h"
#include "platform/windows.h"
#include "storage/settings_keys.h"
#include "windows/main_window.h"

QString builtin_skin_file(const QString& number) {
  return program_path(QStringLiteral("skin/") + number + QStringLiteral(".she"));
}

void apply_builtin_skin(int n) {
  detach_skin();
  attach_skin(builtin_skin_file(to_text(n)));
  write_setting(setting::skin, to_text(n));
}

void on_menu_custom_skin() {
  // Title and default extension stay as the dialog's last user left them.
  CommonDialog& dialog = main_window().通用对话框2;
  dialog.dialog_type = 0;
  dialog.filter = QStringLiteral("皮肤文件(.she)|*.she");
  dialog.file_name.clear();
  dialog.initial_dir = program_path(QStringLiteral("skin/s/"));
  if (run_common_dialog(dialog) != 1)
    return;
  detach_skin();
  attach_skin(dialog.file_name);
  write_setting(setting::skin, dialog.file_name);
}
