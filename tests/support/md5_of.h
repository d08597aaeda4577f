#pragma once

#include <cstddef>

#include "fields/md5.h"

namespace quillory::testing {

// The MD5 digest of length bytes at data, in one go.
inline Md5Digest Md5Of(const void* data, std::size_t length) {
  Md5Context context;
  Md5Start(context);
  Md5Add(context, data, length);
  return Md5Finish(context);
}

}  // namespace quillory::testing
