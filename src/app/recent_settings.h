#pragma once

#include <string>
#include <vector>

namespace quillory {

// The recent documents as the user's settings keep them: the list under "recentDocuments" of an INI file,
// each path as its exact bytes. The file is `file`, or when that is empty the application's own settings
// file (quillory/quillory.ini in the user's configuration folder).
class RecentSettings {
 public:
  explicit RecentSettings(std::string file);

  // The stored list; empty when there is none or it cannot be read.
  std::vector<std::string> Load() const;
  // Stores the list; a settings file that cannot be written keeps its old list, unreported.
  void Store(const std::vector<std::string>& paths) const;

 private:
  std::string file_;
};

}  // namespace quillory
