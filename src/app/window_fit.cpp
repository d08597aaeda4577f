#include "app/window_fit.h"

#include <algorithm>

namespace quillory {

WindowFit FitWindow(QSize pages, int menu_height, QRect available, QMargins frame, QSize bars) {
  const QSize room(available.width() - frame.left() - frame.right(),
                   available.height() - frame.top() - frame.bottom() - menu_height);
  bool vertical = pages.height() > room.height();
  const bool horizontal = pages.width() + (vertical ? bars.width() : 0) > room.width();
  if (horizontal) vertical = vertical || pages.height() + bars.height() > room.height();
  const bool scrolls = vertical || horizontal;
  QSize area = pages;
  if (scrolls) {
    area = QSize(std::max(1, std::min(pages.width() + (vertical ? bars.width() : 0), room.width())),
                 std::max(1, std::min(pages.height() + (horizontal ? bars.height() : 0), room.height())));
  }
  const QSize client(area.width(), area.height() + menu_height);
  const QSize outer = client.grownBy(frame);
  // Centred, but never above or left of the free area: the title bar stays reachable.
  const QPoint frame_at(available.left() + std::max(0, (available.width() - outer.width()) / 2),
                        available.top() + std::max(0, (available.height() - outer.height()) / 2));
  return WindowFit{client, frame_at, scrolls};
}

}  // namespace quillory
