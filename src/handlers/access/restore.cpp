#include "handlers/access/restore.h"

#include <QFileInfo>

#include <cerrno>
#include <memory>

#include "handlers/access/database_connection.h"
#include "handlers/notebook/category_lists.h"
#include "platform/atomic_file.h"
#include "platform/busy_cursor.h"
#include "platform/controls/combo_box.h"
#include "platform/database.h"
#include "platform/database_file.h"
#include "platform/failure_log.h"
#include "platform/program_dir.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "platform/zip.h"
#include "storage/schema.h"
#include "windows/main_window.h"

namespace {

std::function<void(std::string_view)>& step_hook() {
  static std::function<void(std::string_view)> hook;
  return hook;
}

void reached(std::string_view step) {
  if (step_hook())
    step_hook()(step);
}

// data.mdb is replaced only by a copy from the archive that could be a notebook before it came
// out, then opens with the key, has exactly the program's schema and passes the engine's check,
// in one rename. 1 done, 0 with data.mdb untouched.
int replace_notebook_from_archive(ZipComponent& zip, const QString& archive) {
  const QFileInfo database(database_path());
  const std::unique_ptr<UnpackedFile> unpacked = zip_extract_file(
      zip, archive, database.fileName(), database.absolutePath(), notebook_entry_expectation());
  if (!unpacked)
    return 0;
  reached(restore_step_unpacked);
  if (!is_whole_notebook(unpacked->path()))
    return 0;
  reached(restore_step_validated);
  errno = 0;
  if (!db_remove_leftover_journal(database.filePath()) ||
      !replace_file_durably(unpacked->path(), database.filePath())) {
    log_failure(QStringLiteral("replace the notebook from \"%1\"").arg(archive),
                database.filePath(), errno_reason(errno));
    return 0;
  }
  reached(restore_step_replaced);
  return 1;
}

}  // namespace

void restore_database() {
  if (show_message_box(QStringLiteral("如果继续进行还原现有数据将被掩盖 是否继续还原"),
                       buttons_yes_no, QString()) != answer_yes) {
    return;
  }
  MainWindow& window = main_window();
  CommonDialog& dialog = window.通用对话框2;
  dialog.dialog_type = 0;
  dialog.initial_dir = program_path(QStringLiteral("datab/"));
  dialog.default_ext = QStringLiteral("*.ewd");
  dialog.filter = QStringLiteral("数据库文件(*.ewd)|*.ewd");
  dialog.title = QStringLiteral("选择");
  if (run_common_dialog(dialog) != 1)
    return;

  int replaced = 0;
  {
    BusyCursor busy;
    db_close(database());
    replaced = replace_notebook_from_archive(window.ZIP压缩1, dialog.file_name);
  }
  if (replaced != 1) {
    // data.mdb is as it was: open it again, so that what the user saves next is not lost.
    open_database();
    show_message_box(QStringLiteral("还原失败"), buttons_ok);
    return;
  }
  window.组合框1->combo_clear();
  window.超级编辑框1->set_content(QString());
  window.组合框1->set_selected_index(-1);
  open_database();
  fill_category_combo();
  show_message_box(QStringLiteral("还原成功"), buttons_ok, QString());
}

void set_restore_step_hook(std::function<void(std::string_view step)> hook) {
  step_hook() = std::move(hook);
}
