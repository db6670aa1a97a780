#pragma once

#include <QList>
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

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void place_parts();

  QList<QLabel*> parts_;
  QList<int> widths_;
};
