#include "windows/category_manager_window.h"

#include "platform/controls/picture_button.h"
#include "platform/controls/report_list.h"
#include "platform/controls/tab_frame.h"
#include "platform/svg_picture.h"
#include "platform/windows.h"
#include "ui_category_manager_window.h"

namespace {

CategoryManagerWindow* loaded_window = nullptr;

}  // namespace

CategoryManagerWindow::CategoryManagerWindow(QWidget* parent)
    : QDialog(parent, fixed_dialog_frame), ui(std::make_unique<Ui::CategoryManagerWindow>()) {
  ui->setupUi(this);
  高级选择夹1 = ui->高级选择夹1;
  超级列表框1 = ui->超级列表框1;
  分组框1 = ui->分组框1;
  编辑框1 = ui->编辑框1;
  图形按钮1 = ui->图形按钮1;
  图形按钮2 = ui->图形按钮2;
  图形按钮3 = ui->图形按钮3;
  分组框2 = ui->分组框2;
  图形按钮5 = ui->图形按钮5;
  图形按钮4 = ui->图形按钮4;
  标签1 = ui->标签1;

  // Set here because uic drops the CR of the caption's CR LF line breaks.
  标签1->setText(QStringLiteral("\r\n在此刻设置目录相关\r\n如 添加 删除 命名 等"));

  // The first column is never seen; the names stand in the second.
  超级列表框1->add_column(QStringLiteral("测试"), 0, 0);
  超级列表框1->add_column(QStringLiteral("目录名称"), 187, 1);
  超级列表框1->set_row_picture(svg_picture(QStringLiteral(":/list/article.svg")));

  loaded_window = this;
}

CategoryManagerWindow::~CategoryManagerWindow() {
  if (loaded_window == this) {
    loaded_window = nullptr;
  }
}

CategoryManagerWindow& category_manager_window() {
  return *loaded_window;
}
