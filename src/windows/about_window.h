#pragma once

#include <QDialog>

#include <memory>

class Hyperlink;
class QLabel;

namespace Ui {
class AboutWindow;
}

// The about window: the program's name, the rights notice and two links to the pages shipped in
// the program directory's help/ folder. The form gives the client area: the window's outer
// 278 x 197 less a fixed dialog frame. It has no caption and no handlers.
class AboutWindow : public QDialog {
  Q_OBJECT

 public:
  explicit AboutWindow(QWidget* parent = nullptr);
  ~AboutWindow() override;

  // Controls.
  QLabel* 标签1 = nullptr;
  QLabel* 标签4 = nullptr;
  Hyperlink* 超级链接框1 = nullptr;
  Hyperlink* 超级链接框2 = nullptr;

 private:
  std::unique_ptr<Ui::AboutWindow> ui;
};
