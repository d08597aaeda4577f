#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/error.h"
#include "ports/association_store.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"

namespace quillory::testing {

// An in-memory association store that logs every write and deletion ("write KEY=VALUE", "delete KEY").
// Deleting a key removes its subkeys ("KEY\..."). With refuse_writes set, writes raise the store error.
class FakeAssociationStore : public AssociationStore {
 public:
  std::map<std::string, std::string> values;
  std::vector<std::string> log;
  bool refuse_writes = false;

  bool KeyExists(const std::string& key) override {
    for (const auto& [name, value] : values) {
      if (name == key || name.rfind(key + "\\", 0) == 0) return true;
    }
    return false;
  }
  std::optional<std::string> ReadDefault(const std::string& key) override {
    auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void WriteDefault(const std::string& key, const std::string& value) override {
    if (refuse_writes) throw Error("Failed to set data for '" + key + "'");
    log.push_back("write " + key + "=" + value);
    values[key] = value;
  }
  void DeleteKeyTree(const std::string& key) override {
    log.push_back("delete " + key);
    std::erase_if(values, [&](const auto& entry) {
      return entry.first == key || entry.first.rfind(key + "\\", 0) == 0;
    });
  }
};

}  // namespace quillory::testing
