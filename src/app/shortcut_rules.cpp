#include "app/shortcut_rules.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace quillory {
namespace {

enum class Precedence { kNone, kMenuAlways, kTextControlFirst };

Precedence PrecedenceOf(const QKeyEvent& key) {
  const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::NoModifier && key.key() == Qt::Key_F6) return Precedence::kMenuAlways;
  if (modifiers != Qt::ControlModifier) return Precedence::kNone;
  switch (key.key()) {
    case Qt::Key_N:
    case Qt::Key_O:
    case Qt::Key_S:
      return Precedence::kMenuAlways;
    case Qt::Key_C:
    case Qt::Key_X:
    case Qt::Key_A:
      return Precedence::kTextControlFirst;
    default:
      return Precedence::kNone;
  }
}

}  // namespace

ShortcutRules::ShortcutRules(QWidget* window) : QObject(window), window_(window) {}

bool ShortcutRules::IsTextControl(const QWidget* widget) {
  if (qobject_cast<const QPlainTextEdit*>(widget) || qobject_cast<const QTextEdit*>(widget)) return true;
  if (auto* combo = qobject_cast<const QComboBox*>(widget)) return combo->isEditable();
  // The date picker shows a text with a caret: it and its inner line edit count as text controls.
  return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget);
}

bool ShortcutRules::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr || focus->window() != window_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  switch (PrecedenceOf(*key)) {
    case Precedence::kNone:
      return false;
    case Precedence::kMenuAlways:
      key->ignore();  // not overridden: the shortcut runs
      return true;
    case Precedence::kTextControlFirst:
      key->setAccepted(IsTextControl(focus));  // accepted: the key goes to the control
      return true;
  }
  return false;
}

}  // namespace quillory
