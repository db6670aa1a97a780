#include "platform/controls/hyperlink.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

#include "platform/failure_log.h"

Hyperlink::Hyperlink(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
  show_colour(normal_);
}

void Hyperlink::set_address(const QString& address) {
  address_ = address;
  setToolTip(address);
}

void Hyperlink::set_colours(Colorref normal, Colorref visited, Colorref hover) {
  normal_ = normal;
  visited_colour_ = visited;
  hover_ = hover;
  show_colour(underMouse() ? hover_ : visited_ ? visited_colour_ : normal_);
}

void Hyperlink::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
    return;
  // An absolute path becomes a file address, anything else is read as a web address.
  if (!QDesktopServices::openUrl(QUrl::fromUserInput(address_))) {
    log_failure(QStringLiteral("open the link"), address_,
                QStringLiteral("the desktop has no program that opens it"));
  }
  visited_ = true;
}

void Hyperlink::enterEvent(QEnterEvent* event) {
  show_colour(hover_);
  QLabel::enterEvent(event);
}

void Hyperlink::leaveEvent(QEvent* event) {
  show_colour(visited_ ? visited_colour_ : normal_);
  QLabel::leaveEvent(event);
}

void Hyperlink::show_colour(Colorref colour) {
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, to_qcolor(colour));
  setPalette(palette);
}
