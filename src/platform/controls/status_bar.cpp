#include "platform/controls/status_bar.h"

#include <QLabel>

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {}

void StatusBar::add_part(const QString& text, int width) {
  auto* part = new QLabel(text, this);
  part->setFrameShape(QFrame::Panel);
  part->setFrameShadow(QFrame::Sunken);
  part->setTextFormat(Qt::PlainText);
  part->setIndent(2);
  parts_.append(part);
  widths_.append(0);
  part->show();
  statusbar_set_part_width(parts_.size() - 1, width);
}

int StatusBar::part_count() const {
  return parts_.size();
}

void StatusBar::statusbar_set_part_text(int part, const QString& text) {
  if (part >= 0 && part < parts_.size())
    parts_[part]->setText(text);
}

QString StatusBar::statusbar_part_text(int part) const {
  return part >= 0 && part < parts_.size() ? parts_[part]->text() : QString();
}

void StatusBar::statusbar_set_part_width(int part, int width) {
  if (part < 0 || part >= parts_.size())
    return;
  widths_[part] = qMax(0, width);
  place_parts();
}

int StatusBar::statusbar_get_part_width(int part) const {
  return part >= 0 && part < parts_.size() ? widths_[part] : 0;
}

void StatusBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  place_parts();
}

void StatusBar::place_parts() {
  int left = 0;
  for (int i = 0; i < parts_.size(); ++i) {
    parts_[i]->setGeometry(left, 0, widths_[i], height());
    left += widths_[i];
  }
}
