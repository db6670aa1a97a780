#include "platform/controls/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/controls/shift_state.h"

PictureBox::PictureBox(QWidget* parent) : QLabel(parent) {}

void PictureBox::set_picture(const QByteArray& bytes) {
  picture_ = QPixmap();
  picture_.loadFromData(bytes);
  scaled_ = QPixmap();
  update();
}

void PictureBox::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (picture_.isNull())
    return;
  const QRect box = contentsRect();
  const QSize covering = picture_.size().scaled(box.size(), Qt::KeepAspectRatioByExpanding);
  if (scaled_.size() != covering)
    scaled_ = picture_.scaled(box.size(), Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
  const QRect shown(
      QPoint((scaled_.width() - box.width()) / 2, (scaled_.height() - box.height()) / 2),
      box.size());
  QPainter painter(this);
  painter.drawPixmap(box.topLeft(), scaled_, shown);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const int shift = shift_state(event->modifiers());
  if (event->button() == Qt::LeftButton)
    emit on_left_button_down(at.x(), at.y(), shift);
  else if (event->button() == Qt::RightButton)
    emit on_right_button_down(at.x(), at.y(), shift);
  // The window beneath sees the press too, so a window can be dragged by its picture.
  event->ignore();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    const QPoint at = event->position().toPoint();
    emit on_double_click(at.x(), at.y(), shift_state(event->modifiers()));
  }
  event->ignore();
}
