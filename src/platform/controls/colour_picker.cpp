#include "platform/controls/colour_picker.h"

#include <QPainter>

#include <array>

#include "platform/windows.h"

ColourPicker::ColourPicker(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QAbstractButton::clicked, this, &ColourPicker::choose);
}

QSize ColourPicker::sizeHint() const {
  return QSize(83, 24);
}

void ColourPicker::set_colour(Colorref colour) {
  colour_ = colour;
  update();
}

void ColourPicker::choose() {
  // The dialog offers the colour held now among its custom colours, so it is one click away.
  std::array<Colorref, 16> custom_colours;
  custom_colours.fill(0x00FFFFFF);
  if (colour_ != default_colour)
    custom_colours[0] = colour_;
  if (const std::optional<Colorref> chosen = choose_colour(this, custom_colours))
    set_colour(*chosen);
}

void ColourPicker::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  const QRect swatch = frame.adjusted(3, 3, -3, -3);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  if (colour_ != default_colour)
    painter.fillRect(swatch, to_qcolor(colour_));
  painter.setPen(palette().color(QPalette::Shadow));
  painter.drawRect(swatch);
  // Focused or pressed, the outer frame takes the highlight colour, two pixels wide.
  const bool marked = hasFocus() || isDown();
  painter.setPen(palette().color(marked ? QPalette::Highlight : QPalette::Dark));
  painter.drawRect(frame);
  if (marked)
    painter.drawRect(frame.adjusted(1, 1, -1, -1));
}
