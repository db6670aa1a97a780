#pragma once

#include <QDialog>

// A dialog window with no key handler of its own: it closes by its close box only, so Esc leaves
// it open. Its default button still answers Enter.
class CloseBoxDialog : public QDialog {
  Q_OBJECT

 public:
  using QDialog::QDialog;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
