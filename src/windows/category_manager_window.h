#pragma once

#include <QDialog>

#include <memory>

class PictureButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class ReportList;
class TabFrame;

namespace Ui {
class CategoryManagerWindow;
}

// 目录管理: the one place where categories are added, renamed, moved and deleted. Each opening
// creates it anew and fills its list; it keeps no state of its own. The form gives the client
// area: the window's outer 396 x 353 less a fixed dialog frame.
class CategoryManagerWindow : public QDialog {
  Q_OBJECT

 public:
  explicit CategoryManagerWindow(QWidget* parent = nullptr);
  ~CategoryManagerWindow() override;

  // Controls.
  TabFrame* 高级选择夹1 = nullptr;
  ReportList* 超级列表框1 = nullptr;
  QGroupBox* 分组框1 = nullptr;
  QLineEdit* 编辑框1 = nullptr;
  PictureButton* 图形按钮1 = nullptr;
  PictureButton* 图形按钮2 = nullptr;
  PictureButton* 图形按钮3 = nullptr;
  QGroupBox* 分组框2 = nullptr;
  PictureButton* 图形按钮5 = nullptr;
  PictureButton* 图形按钮4 = nullptr;
  QLabel* 标签1 = nullptr;

 private:
  std::unique_ptr<Ui::CategoryManagerWindow> ui;
};

// The loaded category manager; only valid while one exists.
CategoryManagerWindow& category_manager_window();
