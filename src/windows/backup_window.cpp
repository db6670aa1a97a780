#include "windows/backup_window.h"

#include "platform/windows.h"
#include "ui_backup_window.h"

namespace {

BackupWindow* loaded_window = nullptr;

}  // namespace

BackupWindow::BackupWindow(QWidget* parent)
    : QDialog(parent, fixed_dialog_frame), ui(std::make_unique<Ui::BackupWindow>()) {
  ui->setupUi(this);
  setFixedSize(size());
  centre_on_screen(this);
  标签1 = ui->标签1;
  编辑框1 = ui->编辑框1;
  按钮1 = ui->按钮1;
  按钮2 = ui->按钮2;
  按钮3 = ui->按钮3;
  标签2 = ui->标签2;
  loaded_window = this;
}

BackupWindow::~BackupWindow() {
  if (loaded_window == this)
    loaded_window = nullptr;
}

BackupWindow& backup_window() {
  return *loaded_window;
}
