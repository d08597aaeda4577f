#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory::cli {

// The name among names that typed most likely misspells: the one closest to it by edit distance (a
// letter added, dropped, changed, or two neighbours swapped) when that is at most 1 for a word of up to
// four letters and at most 2 for a longer one, else the only name that begins with typed. Nothing when no
// name is that close, or when typed is itself a name.
std::optional<std::string> ClosestName(std::string_view typed, const std::vector<std::string>& names);

// "; did you mean 'NAME'?" for the ClosestName, or "" when there is none.
std::string DidYouMean(std::string_view typed, const std::vector<std::string>& names);

}  // namespace quillory::cli
