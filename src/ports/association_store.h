#pragma once

#include <optional>
#include <string>

namespace quillory {

// A registry-shaped store of the file association: keys named like ".qlx" or
// "Quillory\Shell\Open\Command", each with a default string value.
class AssociationStore {
 public:
  virtual ~AssociationStore() = default;
  virtual bool KeyExists(const std::string& key) = 0;
  // The key's default value; nothing when the key is missing or cannot be read.
  virtual std::optional<std::string> ReadDefault(const std::string& key) = 0;
  // Creates the key when needed and sets its default value. Raises "Failed to set data for '%s'" when
  // the store refuses.
  virtual void WriteDefault(const std::string& key, const std::string& value) = 0;
  // Deletes the key with all its subkeys; a missing key or a refused deletion is not reported.
  virtual void DeleteKeyTree(const std::string& key) = 0;
};

}  // namespace quillory
