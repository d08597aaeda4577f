#pragma once

#include <string>

namespace quillory {

// The desktop shell.
class Shell {
 public:
  virtual ~Shell() = default;
  // Asks the desktop to open a web address (UTF-8) with its default handler; the outcome is ignored.
  virtual void OpenUrl(const std::string& address) = 0;
};

}  // namespace quillory
