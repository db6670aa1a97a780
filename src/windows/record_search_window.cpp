#include "windows/record_search_window.h"

#include <QKeyEvent>

#include "platform/controls/edit_box.h"
#include "platform/controls/key_code.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/result_list.h"
#include "platform/controls/shift_state.h"
#include "platform/svg_picture.h"
#include "platform/windows.h"
#include "ui_record_search_window.h"

namespace {

RecordSearchWindow* loaded_window = nullptr;

}  // namespace

RecordSearchWindow::RecordSearchWindow(QWidget* parent)
    : QDialog(parent, fixed_dialog_frame | Qt::WindowStaysOnTopHint),
      ui(std::make_unique<Ui::RecordSearchWindow>()) {
  ui->setupUi(this);
  分组框1 = ui->分组框1;
  超级列表框1 = ui->超级列表框1;
  标签1 = ui->标签1;
  编辑框1 = ui->编辑框1;
  图形按钮1 = ui->图形按钮1;
  图形按钮3 = ui->图形按钮3;
  图形按钮2 = ui->图形按钮2;
  标签2 = ui->标签2;
  图片框1 = ui->图片框1;

  // The first column only carries the row's picture.
  超级列表框1->add_column(QString(), 2);
  超级列表框1->add_column(QStringLiteral("记录名称"), 200);
  超级列表框1->add_column(QStringLiteral("记录所属"), 170);
  超级列表框1->add_column(QStringLiteral("建立日期"), 170);
  超级列表框1->add_column(QStringLiteral("修改日期"), 170);
  超级列表框1->set_row_picture(svg_picture(QStringLiteral(":/list/article.svg")));
  图片框1->setPixmap(
      svg_picture(QStringLiteral(":/search/document.svg"), {128}).pixmap(QSize(128, 128)));

  centre_on_screen(this);
  loaded_window = this;
}

RecordSearchWindow::~RecordSearchWindow() {
  if (loaded_window == this)
    loaded_window = nullptr;
}

void RecordSearchWindow::keyPressEvent(QKeyEvent* event) {
  emit on_key_down(key_code(event->key()), shift_state(event->modifiers()));
}

RecordSearchWindow& record_search_window() {
  return *loaded_window;
}
