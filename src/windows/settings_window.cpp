#include "windows/settings_window.h"

#include <QKeyEvent>

#include "platform/controls/key_code.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/shift_state.h"
#include "platform/windows.h"
#include "ui_settings_window.h"

namespace {

SettingsWindow* loaded_window = nullptr;

}  // namespace

SettingsWindow::SettingsWindow(QWidget* parent)
    : CloseBoxDialog(parent, fixed_dialog_frame), ui(std::make_unique<Ui::SettingsWindow>()) {
  ui->setupUi(this);
  setFixedSize(size());
  centre_on_screen(this);
  分组框1 = ui->分组框1;
  选择框1 = ui->选择框1;
  选择框2 = ui->选择框2;
  选择框3 = ui->选择框3;
  开启密码功能选择框 = ui->开启密码功能选择框;
  编辑框1 = ui->编辑框1;
  图形按钮1 = ui->图形按钮1;
  分组框2 = ui->分组框2;
  编辑框3 = ui->编辑框3;
  超级按钮3 = ui->超级按钮3;
  loaded_window = this;
}

SettingsWindow::~SettingsWindow() {
  if (loaded_window == this)
    loaded_window = nullptr;
}

void SettingsWindow::keyPressEvent(QKeyEvent* event) {
  emit on_key_down(key_code(event->key()), shift_state(event->modifiers()));
  // Esc closes the window only through its handler.
  CloseBoxDialog::keyPressEvent(event);
}

SettingsWindow& settings_window() {
  return *loaded_window;
}
