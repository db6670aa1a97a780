#include "platform/controls/picture_button.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "platform/controls/shift_state.h"

namespace {

// The face the button shows without pictures of its own: a pale green gradient in a blue frame
// with the caption word; pressed, the gradient turns over; disabled, the word is greyed.
QPixmap draw_face(const QSize& size, const QString& caption, const QFont& font, bool pressed,
                  bool enabled) {
  QPixmap face(size);
  face.fill(Qt::transparent);
  QPainter painter(&face);
  QLinearGradient gradient(0, 0, 0, size.height());
  const QColor light(0xEE, 0xFB, 0xE8);
  const QColor green(0xB8, 0xE6, 0xA8);
  gradient.setColorAt(0, pressed ? green : light);
  gradient.setColorAt(1, pressed ? light : green);
  painter.fillRect(face.rect(), gradient);
  painter.setPen(QColor(0x2A, 0x5C, 0xB8));
  painter.drawRect(face.rect().adjusted(0, 0, -1, -1));
  painter.setPen(enabled ? QColor(0x10, 0x30, 0x60) : QColor(0x90, 0x98, 0xA0));
  painter.setFont(font);
  painter.drawText(face.rect().translated(pressed ? 1 : 0, pressed ? 1 : 0), Qt::AlignCenter,
                   caption);
  return face;
}

}  // namespace

PictureButton::PictureButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
  connect(this, &QAbstractButton::clicked, this, [this] { emit on_clicked(); });
}

QSize PictureButton::sizeHint() const {
  return QSize(70, 22);
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!testAttribute(Qt::WA_StyleSheetTarget)) {
    const bool down = isEnabled() && (isDown() || underMouse());
    painter.drawPixmap(0, 0, draw_face(size(), text(), font(), down, isEnabled()));
    return;
  }
  // A skin draws the face: its frame and fill for the state, the caption in its text colour.
  QStyleOption option;
  option.initFrom(this);
  if (isDown())
    option.state |= QStyle::State_Sunken;
  style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
  style()->drawItemText(&painter, rect(), Qt::AlignCenter, palette(), isEnabled(), text(),
                        QPalette::ButtonText);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  QAbstractButton::mousePressEvent(event);
  if (event->button() != Qt::LeftButton)
    return;
  const QPoint at = event->position().toPoint();
  held_at_ = at;
  window()->installEventFilter(this);
  emit on_left_button_down(at.x(), at.y(), shift_state(event->modifiers()));
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  // Each press ends once: an interrupted one has already reported its end.
  const bool ends_press = event->button() == Qt::LeftButton && held_at_;
  const QPoint at = event->position().toPoint();
  const int shift = shift_state(event->modifiers());
  if (ends_press) {
    held_at_.reset();
    window()->removeEventFilter(this);
    emit on_left_button_up(at.x(), at.y(), shift);
  }
  QAbstractButton::mouseReleaseEvent(event);
}

bool PictureButton::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WindowBlocked && held_at_) {
    const QPoint at = *held_at_;
    held_at_.reset();
    watched->removeEventFilter(this);
    setDown(false);
    emit on_left_button_up(at.x(), at.y(), 0);
  }
  return QAbstractButton::eventFilter(watched, event);
}
