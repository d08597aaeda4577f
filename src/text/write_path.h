#pragma once

#include <optional>
#include <string>

#include "text/file_access.h"

// How every writer of the program finds the place a path names. The path is walked one component at a
// time from a descriptor of the folder reached so far, never by its text, and each symbolic link met on the
// way (on any component, whatever it points at) is read and its target walked in its place. A link that
// sits in a sticky, world-writable folder and belongs neither to this process's user nor to the folder's
// owner is refused, as the kernel's protected_symlinks rule has it for the last component only. The write
// itself is then made relative to the folder's descriptor, so nothing can be swapped between check and use.

namespace quillory {

// Where a write failed, with the errno value that says why.
struct WriteFailure {
  // kLink: a link in a shared folder that is not followed (error_number is EACCES, path is the link).
  enum class Stage { kCreate, kWrite, kLink } stage;
  int error_number;
  std::string path;  // the file the write was for (a set names the one that failed), or the refused link
};

// The place a path leads to: a folder held open and a name in it that is no link.
struct WritePlace {
  FileDescriptor folder;  // an O_PATH descriptor of the folder
  std::string
      folder_path;   // the folder as reached, each link replaced by its target; "" is the working folder
  std::string name;  // empty when the path names a folder itself ("dir/", "dir/.", "/")
  std::optional<int>
      own_descriptor;  // with kOwnDescriptors: the N of /proc/self/fd/N, /dev/fd/N, /dev/stdout

  // folder_path and name joined: the path of the place with no link in it.
  std::string Path() const;
};

enum class WalkOption {
  kPlain,
  kCreateFolders,   // folders missing on the way are made (mode 0777 less the umask)
  kOwnDescriptors,  // a number in this process's descriptor folder ends the walk with own_descriptor
  kLastAsItIs,      // the last component is not looked at: a link there is the name, not followed
};

// Walks path as described above into place. Returns nothing on success (the last name may hold nothing
// yet), or the failure: kLink naming the refused link, kCreate with ELOOP after 40 links, ENOTDIR for a
// file on the way, ENOENT for a missing folder, or the errno value of the step that failed.
std::optional<WriteFailure> FindWritePlace(const std::string& path, WritePlace& place,
                                           WalkOption option = WalkOption::kPlain);

}  // namespace quillory
