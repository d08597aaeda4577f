#pragma once

#include <string>

namespace quillory {

// The one fixed path of the temporary preview page, "quillory_temp.html": in $XDG_RUNTIME_DIR when that is
// set, else in the private folder "quillory" of the user's cache folder (see TemporaryPagePathIn).
std::string TemporaryPagePath();

}  // namespace quillory
