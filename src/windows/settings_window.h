#pragma once

#include <memory>

#include "platform/close_box_dialog.h"

class PictureButton;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class SettingsWindow;
}

// 设置: the switches for the window size, start at logon, the floating icon and the login
// password. The form gives the client area: the window's outer 288 x 171 less a fixed dialog
// frame, so 分组框2 lies mostly below the visible area, as designed.
class SettingsWindow : public CloseBoxDialog {
  Q_OBJECT

 public:
  explicit SettingsWindow(QWidget* parent = nullptr);
  ~SettingsWindow() override;

  // Controls.
  QGroupBox* 分组框1 = nullptr;
  QCheckBox* 选择框1 = nullptr;
  QCheckBox* 选择框2 = nullptr;
  QCheckBox* 选择框3 = nullptr;
  QCheckBox* 开启密码功能选择框 = nullptr;
  QLineEdit* 编辑框1 = nullptr;
  PictureButton* 图形按钮1 = nullptr;
  QGroupBox* 分组框2 = nullptr;
  QLineEdit* 编辑框3 = nullptr;
  QPushButton* 超级按钮3 = nullptr;

 signals:
  // A key pressed anywhere in the window that no control used; key_code: see key_code.h. Esc
  // does nothing by itself.
  void on_key_down(int key_code, int shift_state);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::unique_ptr<Ui::SettingsWindow> ui;
};

// The loaded settings window; only valid while one exists.
SettingsWindow& settings_window();
