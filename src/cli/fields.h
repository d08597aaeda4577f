#pragma once

#include <string>

#include "project/readme_project.h"

namespace quillory::cli {

// The fact or HTML setting stored under key. Raises a UsageError that lists every valid key.
const FieldInfo& KnownField(const std::string& key);

}  // namespace quillory::cli
