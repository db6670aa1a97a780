#include "platform/controls/splitter_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

SplitterBar::SplitterBar(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::SplitHCursor);
  setFocusPolicy(Qt::TabFocus);
}

void SplitterBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton)
    return;
  press_x_ = qRound(event->scenePosition().x());
  drag_left_ = x();
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
  if (drag_left_ < 0)
    return;
  // The bar follows the pointer; the handler places everything once the drag ends.
  move(drag_left_ + qRound(event->scenePosition().x()) - press_x_, y());
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || drag_left_ < 0)
    return;
  const int old_position = drag_left_;
  const int new_position = drag_left_ + qRound(event->scenePosition().x()) - press_x_;
  drag_left_ = -1;
  move(old_position, y());
  emit on_moved(old_position, new_position);
}

void SplitterBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOption option;
  option.initFrom(this);
  option.state |= QStyle::State_Horizontal;
  style()->drawControl(QStyle::CE_Splitter, &option, &painter, this);
}
