#pragma once

#include "platform/close_box_dialog.h"

class QSlider;

namespace Ui {
class TransparencyWindow;
}

// The transparency window of 皮肤透明 > 透明设置: one slider from opaque (0) to the most
// transparent (200). It closes only by its close box.
class TransparencyWindow : public CloseBoxDialog {
  Q_OBJECT

 public:
  explicit TransparencyWindow(QWidget* parent = nullptr);
  ~TransparencyWindow() override;

  QSlider* 多功能条1 = nullptr;

 private:
  Ui::TransparencyWindow* ui;
};
