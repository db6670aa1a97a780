#include "platform/svg_picture.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QIcon svg_picture(const QString& resource_path, std::initializer_list<int> sizes) {
  QSvgRenderer renderer(resource_path);
  QIcon icon;
  for (const int size : sizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}
