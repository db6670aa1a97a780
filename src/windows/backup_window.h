#pragma once

#include <QDialog>

#include <memory>

#include "platform/common_dialog.h"
#include "platform/zip.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class BackupWindow;
}

// 备份: the target path of a backup is proposed, browsed and confirmed here. Each opening creates
// it anew; a backup, successful or not, leaves it open. The form gives the client area: the
// window's outer 368 x 111 less a fixed dialog frame.
class BackupWindow : public QDialog {
  Q_OBJECT

 public:
  explicit BackupWindow(QWidget* parent = nullptr);
  ~BackupWindow() override;

  // Controls.
  QLabel* 标签1 = nullptr;
  QLineEdit* 编辑框1 = nullptr;
  QPushButton* 按钮1 = nullptr;
  QPushButton* 按钮2 = nullptr;
  QPushButton* 按钮3 = nullptr;
  QLabel* 标签2 = nullptr;
  // The browse dialog, a save dialog of its own.
  CommonDialog 通用对话框1{CommonDialog::Kind::file};
  ZipComponent ZIP压缩1;

 private:
  std::unique_ptr<Ui::BackupWindow> ui;
};

// The loaded backup window; only valid while one exists.
BackupWindow& backup_window();
