#include "windows/floating_icon_window.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

#include "platform/controls/picture_box.h"
#include "platform/tool_window.h"
#include "platform/tray_icon.h"
#include "ui_floating_icon_window.h"

namespace {

QPointer<FloatingIconWindow>& loaded_window() {
  static QPointer<FloatingIconWindow> window;
  return window;
}

}  // namespace

FloatingIconWindow::FloatingIconWindow(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::FloatingIconWindow>()) {
  ui->setupUi(this);
  setFixedSize(size());
  make_floating_tool_window(this);
  setAttribute(Qt::WA_DeleteOnClose);
  图片框1 = ui->图片框1;
  tray = new TrayIcon(this);
  build_menus();
  loaded_window() = this;
}

FloatingIconWindow::~FloatingIconWindow() = default;

void FloatingIconWindow::build_menus() {
  menu_float = new QMenu(QStringLiteral("漂浮菜单"), this);
  float_show = menu_float->addAction(QStringLiteral("显示"));
  QMenu* icon = menu_float->addMenu(QStringLiteral("图标"));
  float_icon_custom = icon->addAction(QStringLiteral("自选"));
  float_icon_default = icon->addAction(QStringLiteral("默认"));
  menu_float->addSeparator();
  float_exit = menu_float->addAction(QStringLiteral("退出"));

  menu_tray = new QMenu(QStringLiteral("托盘菜单"), this);
  tray_show = menu_tray->addAction(QStringLiteral("显示"));
  tray_hide = menu_tray->addAction(QStringLiteral("隐藏"));
  menu_tray->addSeparator();
  tray_exit = menu_tray->addAction(QStringLiteral("退出"));
}

void FloatingIconWindow::closeEvent(QCloseEvent* event) {
  if (loaded_window() == this)
    loaded_window() = nullptr;
  QWidget::closeEvent(event);
  if (event->spontaneous())
    emit on_closed_from_outside();
}

void FloatingIconWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton)
    drag_offset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
  event->accept();
}

void FloatingIconWindow::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton)
    move(event->globalPosition().toPoint() - drag_offset_);
  event->accept();
}

FloatingIconWindow* floating_icon_window() {
  return loaded_window();
}

bool floating_icon_window_loaded() {
  return !loaded_window().isNull();
}
