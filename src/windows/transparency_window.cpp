#include "windows/transparency_window.h"

#include <QSlider>

#include "platform/windows.h"
#include "ui_transparency_window.h"

TransparencyWindow::TransparencyWindow(QWidget* parent)
    : CloseBoxDialog(parent), ui(new Ui::TransparencyWindow) {
  ui->setupUi(this);
  make_fixed_topmost_window(this);
  多功能条1 = ui->多功能条1;
}

TransparencyWindow::~TransparencyWindow() {
  delete ui;
}
