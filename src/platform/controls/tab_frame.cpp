#include "platform/controls/tab_frame.h"

#include <QTabBar>

TabFrame::TabFrame(QWidget* parent) : QTabWidget(parent) {
  tabBar()->hide();
}
