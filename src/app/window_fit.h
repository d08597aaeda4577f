#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace quillory {

// Where and how large the main window opens on a screen.
struct WindowFit {
  QSize client;     // the client area: the menu bar and the page area below it
  QPoint frame_at;  // the top left of the window's frame (title bar included)
  bool scrolls;     // whether the page area is a scrolled view smaller than the fixed layout
  friend bool operator==(const WindowFit&, const WindowFit&) = default;
};

// The window for a fixed layout of `pages` below a menu bar of menu_height, on a screen whose free area is
// `available`, with a window frame of `frame` around the client area. When the whole window fits, the
// client is the fixed layout, centred in the free area. Otherwise the page area scrolls: each side is
// the layout's (with room for a scroll bar of `bars` when the other side scrolls) but no more than the
// free area leaves, and the frame's top left lies inside the free area, so the title bar and the menus
// are always on screen.
WindowFit FitWindow(QSize pages, int menu_height, QRect available, QMargins frame, QSize bars);

}  // namespace quillory
