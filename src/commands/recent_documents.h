#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quillory {

// The documents of File > Open Recent, the latest first: at most kMaxRecentDocuments paths, each once.
class RecentDocuments {
 public:
  static constexpr size_t kMaxRecentDocuments = 8;

  const std::vector<std::string>& paths() const { return paths_; }
  // Takes a stored list as it is, less empty and repeated paths and those beyond the maximum.
  void Assign(const std::vector<std::string>& paths);
  // Puts path first (moving it up when it is in the list already); the oldest beyond the maximum goes.
  // An empty path changes nothing.
  void Add(const std::string& path);
  // Takes path out of the list, if it is there.
  void Remove(const std::string& path);
  void Clear() { paths_.clear(); }

 private:
  std::vector<std::string> paths_;
};

}  // namespace quillory
