#include "windows/page_setup_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "platform/controls/colour_picker.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/key_code.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/shift_state.h"
#include "platform/windows.h"
#include "ui_page_setup_window.h"

namespace {

void show_black_on_white(ComboBox* list) {
  QPalette colours = list->palette();
  for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button})
    colours.setColor(role, Qt::white);
  for (const QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText})
    colours.setColor(role, Qt::black);
  list->setPalette(colours);
}

}  // namespace

PageSetupWindow::PageSetupWindow(QWidget* parent)
    : CloseBoxDialog(parent, fixed_dialog_frame | Qt::WindowStaysOnTopHint),
      ui(std::make_unique<Ui::PageSetupWindow>()) {
  ui->setupUi(this);
  分组框2 = ui->分组框2;
  标签8 = ui->标签8;
  编辑框1 = ui->编辑框1;
  标签5 = ui->标签5;
  编辑框2 = ui->编辑框2;
  标签6 = ui->标签6;
  颜色选择器1 = ui->颜色选择器1;
  标签10 = ui->标签10;
  颜色选择器2 = ui->颜色选择器2;
  标签7 = ui->标签7;
  组合框1 = ui->组合框1;
  分组框1 = ui->分组框1;
  选择框5 = ui->选择框5;
  标签1 = ui->标签1;
  编辑框3 = ui->编辑框3;
  标签2 = ui->标签2;
  编辑框4 = ui->编辑框4;
  标签3 = ui->标签3;
  编辑框5 = ui->编辑框5;
  标签4 = ui->标签4;
  组合框2 = ui->组合框2;
  分组框3 = ui->分组框3;
  选择框1 = ui->选择框1;
  图形按钮1 = ui->图形按钮1;
  图形按钮2 = ui->图形按钮2;
  图形按钮3 = ui->图形按钮3;

  // Integer input: digits with an optional sign, any length.
  const QRegularExpression integer(QStringLiteral("-?[0-9]*"));
  for (QLineEdit* box : {编辑框1, 编辑框2, 编辑框3, 编辑框4, 编辑框5})
    box->setValidator(new QRegularExpressionValidator(integer, box));
  show_black_on_white(组合框1);
  show_black_on_white(组合框2);
  centre_on_screen(this);
}

PageSetupWindow::~PageSetupWindow() {
  emit on_destroying();
}

void PageSetupWindow::keyPressEvent(QKeyEvent* event) {
  emit on_key_down(key_code(event->key()), shift_state(event->modifiers()));
  // The dialog's own Esc would close the window without its handler.
  CloseBoxDialog::keyPressEvent(event);
}
