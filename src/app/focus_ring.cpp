#include "app/focus_ring.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QPainter>

#include "app/web_preview.h"

namespace quillory {

constexpr int kRingWidth = 2;

FocusRing::FocusRing(QWidget* window) : QWidget(window), window_(window) {
  setObjectName(QStringLiteral("FocusRing"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
}

QWidget* FocusRing::RingedControl(QWidget* focused) {
  for (QWidget* widget = focused; widget != nullptr && !widget->isWindow(); widget = widget->parentWidget()) {
    if (qobject_cast<WebPreview*>(widget)) return widget;  // the page view's inner widgets
  }
  if (auto* area = qobject_cast<QAbstractScrollArea*>(focused)) return area;
  if (focused != nullptr) {
    auto* area = qobject_cast<QAbstractScrollArea*>(focused->parentWidget());
    if (area != nullptr && area->viewport() == focused) return area;
  }
  return nullptr;
}

void FocusRing::Follow(QWidget* focused) {
  QWidget* control = focused != nullptr && focused->window() == window_ ? RingedControl(focused) : nullptr;
  if (control_) control_->removeEventFilter(this);
  control_ = control;
  if (control == nullptr) {
    hide();
    return;
  }
  // A sibling above the control, so it is clipped where the control is and outlives it.
  setParent(control->parentWidget());
  control->installEventFilter(this);
  setGeometry(control->geometry());
  raise();
  show();
}

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
  if (watched == control_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
    setGeometry(control_->geometry());
  return QWidget::eventFilter(watched, event);
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor colour = palette().color(QPalette::Active, QPalette::Highlight);
  const QRect edge = rect();
  painter.fillRect(edge.left(), edge.top(), edge.width(), kRingWidth, colour);
  painter.fillRect(edge.left(), edge.bottom() - kRingWidth + 1, edge.width(), kRingWidth, colour);
  painter.fillRect(edge.left(), edge.top(), kRingWidth, edge.height(), colour);
  painter.fillRect(edge.right() - kRingWidth + 1, edge.top(), kRingWidth, edge.height(), colour);
}

}  // namespace quillory
