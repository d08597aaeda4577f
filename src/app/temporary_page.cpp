#include "app/temporary_page.h"

#include <QStandardPaths>
#include <cstdlib>

#include "app/text_bridge.h"
#include "commands/preview.h"

namespace quillory {

std::string TemporaryPagePath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return TemporaryPagePathIn(
      runtime != nullptr ? runtime : "",
      ToNativePath(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)));
}

}  // namespace quillory
