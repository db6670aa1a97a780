#include "handlers/access/backup.h"

#include <QLineEdit>
#include <QPushButton>

#include "handlers/access/database_connection.h"
#include "handlers/access/find_text.h"
#include "platform/busy_cursor.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/event_boundary.h"
#include "platform/program_dir.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "platform/zip.h"
#include "windows/backup_window.h"
#include "windows/command_binding.h"
#include "windows/main_window.h"

namespace {

void show_target(const QString& path) {
  QLineEdit& box = *backup_window().编辑框1;
  box.setText(path);
  box.setCursorPosition(static_cast<int>(path.size()));
}

}  // namespace

void on_menu_backup() {
  BackupWindow window;
  prepare_backup_window(window);
  load_window(&window, true);
}

void prepare_backup_window(BackupWindow& window) {
  bind_event(window.按钮1, &QPushButton::clicked, &window, backup_window_browse_clicked);
  bind_event(window.按钮2, &QPushButton::clicked, &window, backup_database);
  bind_event(window.按钮3, &QPushButton::clicked, &window, backup_window_cancel_clicked);
  guarded(backup_window_created)();
}

void backup_window_created() {
  show_target(program_path(QStringLiteral("datab/")) + to_text(date_part(now())) +
              QStringLiteral(".ewd"));
}

void backup_window_browse_clicked() {
  CommonDialog& dialog = backup_window().通用对话框1;
  dialog.dialog_type = 1;
  dialog.initial_dir = program_path(QStringLiteral("datab/"));
  dialog.default_ext = QStringLiteral("*.ewd");
  dialog.filter = QStringLiteral("数据库文件(*.ewd)|*.ewd");
  if (run_common_dialog(dialog) == 1)
    show_target(dialog.file_name);
}

void backup_database() {
  BackupWindow& window = backup_window();
  const QString target = window.编辑框1->text();
  if (target.isEmpty()) {
    show_message_box(QStringLiteral("请输入要备份的位置"), buttons_ok, QString());
    return;
  }
  if (find_text_from_end(target, QStringLiteral(".ewd"), false) == -1) {
    show_message_box(QStringLiteral("备份位置输入错误 请进行检查"), buttons_ok, QString());
    return;
  }
  int packed = 0;
  {
    BusyCursor busy;
    // Closed first, so the archive holds the file as the last commit left it.
    db_close(database());
    packed = zip_compress_file(window.ZIP压缩1, database_path(), target);
  }
  show_message_box(packed == 1 ? QStringLiteral("备份成功") : QStringLiteral("备份失败"),
                   buttons_ok, QString());
  open_database();
}

void backup_window_cancel_clicked() {
  close_window(&backup_window());
}
