#include "windows/font_size_window.h"

#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "platform/windows.h"
#include "ui_font_size_window.h"

FontSizeWindow::FontSizeWindow(QWidget* parent)
    : CloseBoxDialog(parent), ui(new Ui::FontSizeWindow) {
  ui->setupUi(this);
  make_fixed_topmost_window(this);
  多功能条1 = ui->多功能条1;
  编辑框1 = ui->编辑框1;
  按钮1 = ui->按钮1;
  编辑框1->setValidator(new QIntValidator(编辑框1));
}

FontSizeWindow::~FontSizeWindow() {
  delete ui;
}
