#pragma once

#include <QWidget>

// A vertical bar the user drags sideways; on release it reports its old and new left edge in
// its parent's coordinates. The handler places it (and everything else).
class SplitterBar : public QWidget {
  Q_OBJECT

 public:
  explicit SplitterBar(QWidget* parent = nullptr);

 signals:
  void on_moved(int old_position, int new_position);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int press_x_ = 0;
  int drag_left_ = -1;
};
