#include "app/shortcut_rules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace quillory {
namespace {

// Whether the key is one of a menu command.
bool IsMenuKey(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::NoModifier) return key.key() == Qt::Key_F6 || key.key() == Qt::Key_F1;
  if (modifiers == (Qt::ControlModifier | Qt::ShiftModifier)) return key.key() == Qt::Key_Delete;
  if (modifiers != Qt::ControlModifier) return false;
  switch (key.key()) {
    case Qt::Key_N:
    case Qt::Key_O:
    case Qt::Key_S:
    case Qt::Key_Q:
      return true;
    default:
      return false;
  }
}

}  // namespace

ShortcutRules::ShortcutRules(QWidget* window) : QObject(window), window_(window) {}

bool ShortcutRules::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || focus->window() != window_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (!IsMenuKey(*key)) return false;
  key->ignore();  // not overridden: the shortcut runs
  return true;
}

}  // namespace quillory
