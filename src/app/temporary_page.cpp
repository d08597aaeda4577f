#include "app/temporary_page.h"

#include <sys/stat.h>

#include <QStandardPaths>
#include <cstdlib>

#include "app/text_bridge.h"

namespace quillory {

std::string TemporaryPagePath() {
  constexpr const char* kName = "/quillory_temp.html";
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && runtime[0] == '/') {
    return std::string(runtime) + kName;
  }
  const std::string cache =
      ToNativePath(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
  const std::string folder = cache + "/quillory";
  ::mkdir(cache.c_str(), 0700);  // when the user has no cache folder yet
  ::mkdir(folder.c_str(), 0700);
  ::chmod(folder.c_str(), 0700);  // private, also when it was made by someone else's rules
  return folder + kName;
}

}  // namespace quillory
