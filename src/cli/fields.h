#pragma once

#include <string>

#include "project/facts.h"

namespace quillory::cli {

// The fact or HTML setting stored under key. Raises a UsageError that lists every valid key.
const Fact& KnownField(const std::string& key);

}  // namespace quillory::cli
