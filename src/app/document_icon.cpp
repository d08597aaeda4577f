#include "app/document_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace quillory {

QImage DocumentIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);

  // The page, its folded corner and outline.
  QPainterPath page;
  page.moveTo(5.5, 1.5);
  page.lineTo(20.5, 1.5);
  page.lineTo(26.5, 7.5);
  page.lineTo(26.5, 30.5);
  page.lineTo(5.5, 30.5);
  page.closeSubpath();
  painter.setPen(QPen(QColor(0x25, 0x2C, 0x38), 1));
  painter.setBrush(QColor(0xF3, 0xF4, 0xF8));
  painter.drawPath(page);
  painter.setBrush(QColor(0xCD, 0xCE, 0xE0));
  painter.drawPolygon(QPolygonF({{20.5, 1.5}, {20.5, 7.5}, {26.5, 7.5}}));

  // A framed heading and the lines of a README.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(0x3A, 0x5F, 0xA0), 1.5));
  painter.drawRect(QRectF(8.5, 10.5, 15, 6));
  painter.setPen(QPen(QColor(0x8F, 0x8F, 0x8F), 1.5));
  for (double y : {20.5, 23.5, 26.5}) painter.drawLine(QPointF(8.5, y), QPointF(y == 26.5 ? 18.5 : 23.5, y));
  painter.end();
  return image;
}

}  // namespace quillory
