#include "support/main_window_fixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/controls/toolbar.h"
#include "platform/rich_editor.h"
#include "startup/startup_chain.h"
#include "windows/main_window.h"

namespace {

void click_at(QWidget* widget, QPoint at) {
  const QPointF global = widget->mapToGlobal(QPointF(at));
  const QPointF scene = widget->window()->mapFromGlobal(global);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), scene, global, Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), scene, global, Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

}  // namespace

void MainWindowFixture::TearDown() {
  window_.reset();
  ProgramDirFixture::TearDown();
}

MainWindow& MainWindowFixture::start_main_window(
    const std::function<void(MainWindow&)>& before_chain) {
  window_ = std::make_unique<MainWindow>();
  wire_main_window(*window_);
  if (before_chain)
    before_chain(*window_);
  run_startup_sequence();
  window_->show();
  QApplication::processEvents();
  return *window_;
}

MainWindow& MainWindowFixture::window() const {
  return *window_;
}

void MainWindowFixture::resize_client_area(int width, int height) {
  const QSize frame = window_->size() - window_->centralWidget()->size();
  window_->resize(width + frame.width(), height + frame.height());
  QApplication::processEvents();
}

void MainWindowFixture::choose_menu(MenuCommand command) {
  QAction* item = window_->action(command);
  ASSERT_TRUE(item->isEnabled());
  item->trigger();
}

void MainWindowFixture::click_toolbar_button(int index) {
  QToolButton* button = window_->工具条1->button(index);
  ASSERT_NE(button, nullptr) << "no button at " << index;
  click_at(button, QPoint(4, button->height() / 2));
}

void MainWindowFixture::click_toolbar_arrow(int index) {
  QToolButton* button = window_->工具条1->button(index);
  ASSERT_NE(button, nullptr) << "no button at " << index;
  click_at(button, QPoint(button->width() - 3, button->height() / 2));
}

void MainWindowFixture::choose_category(int index) {
  ComboBox* combo = window_->组合框1;
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  view->setCurrentIndex(combo->model()->index(index, 0));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(view, &enter);
  QApplication::processEvents();
}

void MainWindowFixture::click_list_row(int row) {
  ReportList* list = window_->超级列表框1;
  QTreeWidgetItem* item = list->topLevelItem(row);
  ASSERT_NE(item, nullptr) << "no row " << row;
  list->scrollToItem(item);
  click_at(list->viewport(), list->visualItemRect(item).center());
}

void MainWindowFixture::type_into_editor(const QString& text) {
  RichEditor* editor = window_->超级编辑框1;
  editor->setFocus();
  for (const QChar character : text) {
    QKeyEvent key(QEvent::KeyPress, character == u'\n' ? Qt::Key_Return : Qt::Key_unknown,
                  Qt::NoModifier, character == u'\n' ? QStringLiteral("\r") : QString(character));
    QApplication::sendEvent(editor, &key);
  }
}
