#pragma once

#include <QDialog>

#include <memory>

class EditBox;
class PictureButton;
class QGroupBox;
class QLabel;
class ResultList;

namespace Ui {
class RecordSearchWindow;
}

// 记录查找: finds articles of every category by title. Modal and always on top; each opening
// creates it anew, so the box and the result list start empty. The form gives the client area:
// the window's outer 557 x 380 less a fixed dialog frame.
class RecordSearchWindow : public QDialog {
  Q_OBJECT

 public:
  explicit RecordSearchWindow(QWidget* parent = nullptr);
  ~RecordSearchWindow() override;

  // Controls. 超级列表框1 is the result list, not the main window's article list.
  QGroupBox* 分组框1 = nullptr;
  ResultList* 超级列表框1 = nullptr;
  QLabel* 标签1 = nullptr;
  EditBox* 编辑框1 = nullptr;
  PictureButton* 图形按钮1 = nullptr;
  PictureButton* 图形按钮3 = nullptr;
  PictureButton* 图形按钮2 = nullptr;
  QLabel* 标签2 = nullptr;
  QLabel* 图片框1 = nullptr;

 signals:
  // Keys that no control took: key code and shift state (platform/controls/key_code.h,
  // shift_state.h). Esc closes the window only through its handler.
  void on_key_down(int key_code, int shift_state);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::unique_ptr<Ui::RecordSearchWindow> ui;
};

// The loaded search window; only valid while one exists.
RecordSearchWindow& record_search_window();
