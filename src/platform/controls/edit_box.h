#pragma once

#include <QLineEdit>

// A single-line edit box that reports every key before handling it itself: on_key_down gives no
// answer, so the key still reaches the box.
class EditBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit EditBox(QWidget* parent = nullptr);

 signals:
  // key_code: see key_code.h; shift_state: see shift_state.h.
  void on_key_down(int key_code, int shift_state);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
