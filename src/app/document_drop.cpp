#include "app/document_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "app/text_bridge.h"

namespace quillory {

std::string DroppedDocument(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile() && url.toLocalFile().endsWith(QStringLiteral(".qlx"), Qt::CaseInsensitive))
      return ToNativePath(url.toLocalFile());
  }
  return {};
}

DocumentDrop::DocumentDrop(QWidget* window, std::function<void(const std::string&)> open)
    : QObject(window), window_(window), open_(std::move(open)) {
  window->setAcceptDrops(true);
}

bool DocumentDrop::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
    return QObject::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != window_) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  const std::string path = DroppedDocument(drop->mimeData());
  if (path.empty()) return false;
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  // Opened once the drop has ended, so the questions it may ask do not hold up the drag's source.
  if (type == QEvent::Drop)
    QMetaObject::invokeMethod(
        this, [this, path] { open_(path); }, Qt::QueuedConnection);
  return true;
}

}  // namespace quillory
