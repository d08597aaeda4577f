#pragma once

#include <string>
#include <vector>

#include "project/facts.h"

namespace quillory::cli {

// The fact or HTML setting stored under key. Raises a UsageError that lists every valid key (and the one
// most likely meant).
const Fact& KnownField(const std::string& key);

// Every key, the release's facts first, then the HTML settings, each in storage order.
std::vector<const Fact*> KeysInListOrder();

}  // namespace quillory::cli
