#pragma once

#include <memory>

#include "platform/close_box_dialog.h"

class ColourPicker;
class ComboBox;
class PictureButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace Ui {
class PageSetupWindow;
}

// 页面设定: the editor's default character format (left group) and the paragraph format of the
// selection (right group), applied to the editor and kept for the next start. The form gives the
// client area: the window's outer 382 x 258 less a fixed dialog frame.
class PageSetupWindow : public CloseBoxDialog {
  Q_OBJECT

 public:
  explicit PageSetupWindow(QWidget* parent = nullptr);
  // Raises on_destroying while every control still holds its value.
  ~PageSetupWindow() override;

  // Controls.
  QGroupBox* 分组框2 = nullptr;
  QLabel* 标签8 = nullptr;
  QLineEdit* 编辑框1 = nullptr;
  QLabel* 标签5 = nullptr;
  QLineEdit* 编辑框2 = nullptr;
  QLabel* 标签6 = nullptr;
  ColourPicker* 颜色选择器1 = nullptr;
  QLabel* 标签10 = nullptr;
  ColourPicker* 颜色选择器2 = nullptr;
  QLabel* 标签7 = nullptr;
  ComboBox* 组合框1 = nullptr;
  QGroupBox* 分组框1 = nullptr;
  QCheckBox* 选择框5 = nullptr;
  QLabel* 标签1 = nullptr;
  QLineEdit* 编辑框3 = nullptr;
  QLabel* 标签2 = nullptr;
  QLineEdit* 编辑框4 = nullptr;
  QLabel* 标签3 = nullptr;
  QLineEdit* 编辑框5 = nullptr;
  QLabel* 标签4 = nullptr;
  ComboBox* 组合框2 = nullptr;
  QGroupBox* 分组框3 = nullptr;
  QCheckBox* 选择框1 = nullptr;
  PictureButton* 图形按钮1 = nullptr;
  PictureButton* 图形按钮2 = nullptr;
  PictureButton* 图形按钮3 = nullptr;

 signals:
  // key code and shift state (platform/controls/key_code.h, shift_state.h). Esc closes the
  // window only through its handler.
  void on_key_down(int key_code, int shift_state);
  void on_destroying();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::unique_ptr<Ui::PageSetupWindow> ui;
};
