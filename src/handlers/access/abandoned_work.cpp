#include "handlers/access/abandoned_work.h"

#include "platform/program_dir.h"
#include "platform/work_folder.h"

void remove_abandoned_backup_and_restore_work() {
  remove_abandoned_work_folders(program_path(QStringLiteral("data")));
  remove_abandoned_work_folders(program_path(QStringLiteral("datab")));
}
