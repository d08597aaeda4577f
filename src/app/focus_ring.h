#pragma once

#include <QPointer>
#include <QWidget>

namespace quillory {

// Shows which control has the keyboard focus where the style shows nothing but a caret, or not even that:
// the text areas, the read-only memos and the page view. A frame two pixels wide in the palette's
// highlight colour lies over the edge of the focused one (a sibling above it); every other control keeps the
// style's own sign.
class FocusRing : public QWidget {
 public:
  // Follows the focus among the controls of window (it belongs to the window).
  explicit FocusRing(QWidget* window);

  // The control that shows the ring while focus is in `focused`, or nullptr for a control the style marks
  // by itself.
  static QWidget* RingedControl(QWidget* focused);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Follow(QWidget* focused);

  QWidget* window_;
  QPointer<QWidget> control_;
};

}  // namespace quillory
