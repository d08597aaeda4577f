#include "commands/recent_documents.h"

#include <algorithm>

namespace quillory {

void RecentDocuments::Assign(const std::vector<std::string>& paths) {
  paths_.clear();
  for (const std::string& path : paths) {
    if (paths_.size() == kMaxRecentDocuments) break;
    if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end())
      paths_.push_back(path);
  }
}

void RecentDocuments::Add(const std::string& path) {
  if (path.empty()) return;
  Remove(path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kMaxRecentDocuments) paths_.resize(kMaxRecentDocuments);
}

void RecentDocuments::Remove(const std::string& path) { std::erase(paths_, path); }

}  // namespace quillory
