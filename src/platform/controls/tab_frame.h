#pragma once

#include <QTabWidget>

// A tab control without tabs, used as a framed panel: its children are placed in its own
// coordinates, not in pages.
class TabFrame : public QTabWidget {
  Q_OBJECT

 public:
  explicit TabFrame(QWidget* parent = nullptr);
};
