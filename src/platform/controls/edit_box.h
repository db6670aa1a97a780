#pragma once

#include <QLineEdit>

// A one-line edit box. Every key pressed in it raises on_key_down before the box handles it.
class EditBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit EditBox(QWidget* parent = nullptr);

 signals:
  void on_key_down(int key_code, int shift_state);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
