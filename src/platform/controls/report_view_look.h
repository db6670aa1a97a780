#pragma once

#include <QHeaderView>
#include <QTreeView>

// The look and choice rules every report list shares: flat rows of one height, one row chosen
// at a time, 24 x 24 row pictures, columns as wide as given.
inline void set_report_view_look(QTreeView& view) {
  view.setRootIsDecorated(false);
  view.setItemsExpandable(false);
  view.setUniformRowHeights(true);
  view.setSelectionMode(QAbstractItemView::SingleSelection);
  view.setSelectionBehavior(QAbstractItemView::SelectRows);
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.setIconSize(QSize(24, 24));
  view.header()->setStretchLastSection(false);
  view.header()->setSectionsMovable(false);
  // Also narrower than the style's usual least width.
  view.header()->setMinimumSectionSize(0);
}
