#pragma once

#include <QObject>

class QWidget;

namespace quillory {

// The keyboard rule of the main window's menu shortcuts: the keys of the menu commands (Ctrl+N, Ctrl+O,
// Ctrl+S, F6, Ctrl+Q, F1 and Ctrl+Shift+Delete) always run them, also from inside a text control or the
// page view, which would otherwise take some of them for themselves. Every other key, Ctrl+C, Ctrl+X,
// Ctrl+A and Ctrl+V among them, belongs to the control with the focus.
class ShortcutRules : public QObject {
 public:
  // Applies the rule to the focus widgets inside `window`; install with qApp->installEventFilter.
  explicit ShortcutRules(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
};

}  // namespace quillory
