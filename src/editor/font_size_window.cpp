#include "editor/font_size_window.h"

#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "app/command_binding.h"
#include "editor/char_formatting.h"
#include "platform/event_boundary.h"
#include "platform/windows.h"
#include "ui_font_size_window.h"

FontSizeWindow::FontSizeWindow(QWidget* parent) : QDialog(parent), ui(new Ui::FontSizeWindow) {
  ui->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
  setFixedSize(size());
  centre_on_screen(this);
  多功能条1 = ui->多功能条1;
  编辑框1 = ui->编辑框1;
  按钮1 = ui->按钮1;
  编辑框1->setValidator(new QIntValidator(编辑框1));

  // Program writes of the slider block its signals, so this runs for the user's moves only.
  bind_event(多功能条1, &QSlider::valueChanged, this,
             [this] { font_size_window_slider_changed(*this); });
  bind_event(按钮1, &QPushButton::clicked, this, [this] { font_size_window_ok_clicked(*this); });
  guarded([this] { font_size_window_created(*this); })();
}

FontSizeWindow::~FontSizeWindow() {
  delete ui;
}
