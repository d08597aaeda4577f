#pragma once

#include <QObject>

class QWidget;

namespace quillory {

// The keyboard rule of the main window's menu shortcuts. Ctrl+N, Ctrl+O, Ctrl+S and F6 always run their
// menu commands, also from inside a text control. Ctrl+C, Ctrl+X and Ctrl+A copy, cut and select all while
// the focus is in a text control (a one-line field, the licence-type box's text, the date picker's text, a text
// area, a memo);
// with the focus on any other control of the window they run Clear All, Exit and About.
class ShortcutRules : public QObject {
 public:
  // Applies the rule to the focus widgets inside `window`; install with qApp->installEventFilter.
  explicit ShortcutRules(QWidget* window);

  // Whether the widget is a text control in the sense above.
  static bool IsTextControl(const QWidget* widget);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
};

}  // namespace quillory
