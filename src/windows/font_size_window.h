#pragma once

#include "platform/close_box_dialog.h"

class QLineEdit;
class QPushButton;
class QSlider;

namespace Ui {
class FontSizeWindow;
}

// The font-size window of 字体大小菜单 > 自定: a slider, a size box and 确定, each applying a plain
// 宋体 format at the size to the editor's selection. It closes only by its close box.
class FontSizeWindow : public CloseBoxDialog {
  Q_OBJECT

 public:
  explicit FontSizeWindow(QWidget* parent = nullptr);
  ~FontSizeWindow() override;

  QSlider* 多功能条1 = nullptr;
  QLineEdit* 编辑框1 = nullptr;
  QPushButton* 按钮1 = nullptr;

 private:
  Ui::FontSizeWindow* ui;
};
