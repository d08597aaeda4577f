#include "app/application_icon.h"

#include <QFile>
#include <QString>

// Resources of a static library are registered by name; this must be called outside any namespace.
static void RegisterIconResources() { Q_INIT_RESOURCE(application_icon); }

namespace quillory {

QIcon ApplicationIcon() {
  RegisterIconResources();
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString file = QStringLiteral(":/icons/application/%1.png").arg(size);
    if (QFile::exists(file)) icon.addFile(file, QSize(size, size));
  }
  return icon;
}

}  // namespace quillory
