#pragma once

#include <QObject>
#include <functional>
#include <string>

class QMimeData;
class QWidget;

namespace quillory {

// The path of the first local file named ".qlx" (letter case ignored) that a drag carries, or an empty path.
std::string DroppedDocument(const QMimeData* data);

// Takes a project document dragged onto any control of the main window, before the control could take
// the drag as text (a path typed into a field, a page opened in the view): the drag is accepted everywhere
// in the window and the drop hands the document's path to `open`. Other drags reach the controls as before.
// Install with qApp->installEventFilter.
class DocumentDrop : public QObject {
 public:
  DocumentDrop(QWidget* window, std::function<void(const std::string&)> open);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<void(const std::string&)> open_;
};

}  // namespace quillory
