#pragma once

#include <sys/stat.h>

// What a file that replaces another must carry over for the other's users to keep their access to it.

namespace quillory {

// Gives the new file open at `to` the owner, group, mode and extended attributes (its access control list
// among them) of the old file open at `from`, whose status is `old`; an access control list the new file
// inherited from its folder and the old one lacks is taken off. Returns 0, or the errno value of the first
// thing that cannot be given (EPERM when the owner or group cannot be given away): the new file then cannot
// stand in for the old one.
int CopyOwnerAndAttributes(int from, const struct stat& old, int to);

}  // namespace quillory
