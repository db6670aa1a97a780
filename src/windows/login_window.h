#pragma once

#include <memory>

#include "platform/close_box_dialog.h"

class EditBox;
class PictureBox;
class PictureButton;

namespace Ui {
class LoginWindow;
}

// The longest password the login box takes. The settings window stores none longer, so every
// password it reports as stored can be typed here.
inline constexpr int longest_login_password = 100;

// 软件登陆: asks for the login password at start-up, over a strip of the landscape photograph.
// The form gives the client area: the window's outer 326 x 93 less a fixed dialog frame. Only
// its buttons and its close box end it; Esc does not.
class LoginWindow : public CloseBoxDialog {
  Q_OBJECT

 public:
  explicit LoginWindow(QWidget* parent = nullptr);
  ~LoginWindow() override;

  // Controls.
  PictureBox* 图片框1 = nullptr;
  EditBox* 编辑框1 = nullptr;
  PictureButton* 登陆图形按钮 = nullptr;
  PictureButton* 图形按钮2 = nullptr;

 private:
  std::unique_ptr<Ui::LoginWindow> ui;
};

// The loaded login window; only valid while one exists.
LoginWindow& login_window();
