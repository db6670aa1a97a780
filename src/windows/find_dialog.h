#pragma once

#include "platform/close_box_dialog.h"

class PictureButton;
class QCheckBox;
class QLineEdit;

namespace Ui {
class FindDialog;
}

// The find window 查找: modeless and always on top, so the user can edit while it is open.
class FindDialog : public CloseBoxDialog {
  Q_OBJECT

 public:
  explicit FindDialog(QWidget* parent = nullptr);
  ~FindDialog() override;

  // The always-on-top switch, kept while the window is shown.
  bool topmost() const;
  void set_topmost(bool on);

  QLineEdit* 编辑框1 = nullptr;
  QCheckBox* 选择框1 = nullptr;
  PictureButton* 图形按钮1 = nullptr;
  PictureButton* 图形按钮2 = nullptr;

 private:
  Ui::FindDialog* ui;
};

// The loaded find window, or nullptr while none is open.
FindDialog* find_dialog();
