#pragma once

#include <QLabel>
#include <QString>

#include "platform/colorref.h"

// A hyperlink: its caption in the normal colour, in the hover colour under the mouse and in the
// visited colour once opened. A click opens its address (a web address or a local file) with the
// desktop's opener.
class Hyperlink : public QLabel {
  Q_OBJECT

 public:
  explicit Hyperlink(QWidget* parent = nullptr);

  void set_address(const QString& address);
  const QString& address() const { return address_; }
  void set_colours(Colorref normal, Colorref visited, Colorref hover);
  bool visited() const { return visited_; }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void show_colour(Colorref colour);

  QString address_;
  Colorref normal_ = 0;
  Colorref visited_colour_ = 0;
  Colorref hover_ = 0;
  bool visited_ = false;
};
