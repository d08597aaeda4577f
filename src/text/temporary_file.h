#pragma once

#include <string>

#include "text/file_access.h"

// The new bytes of a file on their way to its name. Where the file system allows it the file has no name
// while it is written (O_TMPFILE), so that a process killed meanwhile leaves nothing behind; it gets a name
// only for the instant before it is moved into place. That name, and the name of a file system without
// unnamed files, is hidden and made from the target's: ".NAME.quillory-PID-N~" (a hash stands for NAME
// when the whole would be too long). The next write to the same name removes such files of this user
// whose process is gone.

namespace quillory {

class TemporaryFile {
 public:
  TemporaryFile() = default;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() { Remove(); }

  // Creates an empty file in folder (a descriptor that outlives this object) for the bytes of the file
  // target_name there, with mode 0666 narrowed by the umask. Returns 0 or the errno value.
  int Create(int folder, const std::string& target_name);

  // The descriptor to write to, or -1.
  int fd() const { return fd_.get(); }

  // Moves the file to the name target in the folder: flags are those of renameat2 (RENAME_NOREPLACE, which
  // fails with EEXIST when something is there; RENAME_EXCHANGE, after which this object holds what was
  // there; 0 replaces it). Returns 0 or the errno value.
  int MoveTo(const std::string& target, unsigned flags);

  // Removes the file's hidden name, if it has one, and closes it.
  void Remove();

 private:
  int GiveName();

  int folder_ = -1;
  FileDescriptor fd_;
  bool unnamed_ = false;
  std::string prefix_;  // the hidden name up to the process number
  std::string name_;    // the hidden name while the file has one
};

// Removes the hidden files of target_name in folder that belong to this process's user and were left by
// processes that no longer run (a write killed halfway). A folder that cannot be listed is left alone.
void RemoveLeftTemporaries(int folder, const std::string& target_name);

}  // namespace quillory
