#include "windows/login_window.h"

#include "platform/controls/edit_box.h"
#include "platform/controls/picture_box.h"
#include "platform/controls/picture_button.h"
#include "platform/files.h"
#include "platform/windows.h"
#include "ui_login_window.h"

namespace {

LoginWindow* loaded_window = nullptr;

}  // namespace

LoginWindow::LoginWindow(QWidget* parent)
    : CloseBoxDialog(parent, fixed_dialog_frame), ui(std::make_unique<Ui::LoginWindow>()) {
  ui->setupUi(this);
  setFixedSize(size());
  centre_on_screen(this);
  图片框1 = ui->图片框1;
  编辑框1 = ui->编辑框1;
  编辑框1->setMaxLength(longest_login_password);
  登陆图形按钮 = ui->登陆图形按钮;
  图形按钮2 = ui->图形按钮2;
  图片框1->set_picture(read_resource(QStringLiteral(":/pictures/login.jpg")));
  loaded_window = this;
}

LoginWindow::~LoginWindow() {
  if (loaded_window == this)
    loaded_window = nullptr;
}

LoginWindow& login_window() {
  return *loaded_window;
}
