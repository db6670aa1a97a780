#pragma once

#include <QWidget>

class QLabel;

// A status bar of parts laid side by side from the left, each of a set width.
class StatusBar : public QWidget {
  Q_OBJECT

 public:
  explicit StatusBar(QWidget* parent = nullptr);

  void add_part(const QString& text, int width);
  int part_count() const;
  void statusbar_set_part_text(int part, const QString& text);
  QString statusbar_part_text(int part) const;
  void statusbar_set_part_width(int part, int width);
  int statusbar_get_part_width(int part) const;

 private:
  QList<QLabel*> parts_;
};
