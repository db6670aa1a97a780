#include "windows/find_dialog.h"

#include <QPointer>

#include "platform/controls/picture_button.h"
#include "platform/windows.h"
#include "ui_find_dialog.h"

namespace {

QPointer<FindDialog>& loaded_find_dialog() {
  static QPointer<FindDialog> dialog;
  return dialog;
}

}  // namespace

FindDialog::FindDialog(QWidget* parent) : CloseBoxDialog(parent), ui(new Ui::FindDialog) {
  ui->setupUi(this);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setFixedSize(size());
  setAttribute(Qt::WA_DeleteOnClose);
  centre_on_screen(this);
  编辑框1 = ui->编辑框1;
  选择框1 = ui->选择框1;
  图形按钮1 = ui->图形按钮1;
  图形按钮2 = ui->图形按钮2;
  loaded_find_dialog() = this;
}

FindDialog::~FindDialog() {
  delete ui;
}

bool FindDialog::topmost() const {
  return window_topmost(this);
}

void FindDialog::set_topmost(bool on) {
  set_window_topmost(this, on);
}

FindDialog* find_dialog() {
  return loaded_find_dialog();
}
