#include "cli/suggestion.h"

#include <algorithm>

namespace quillory::cli {
namespace {

// The optimal string alignment distance: insertions, deletions, substitutions and swaps of neighbours.
size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

std::optional<std::string> ClosestName(std::string_view typed, const std::vector<std::string>& names) {
  if (typed.empty() || std::find(names.begin(), names.end(), typed) != names.end()) return std::nullopt;
  const size_t allowed = typed.size() <= 4 ? 1 : 2;
  const std::string* best = nullptr;
  size_t best_distance = allowed + 1;
  for (const std::string& name : names) {
    const size_t distance = EditDistance(typed, name);
    if (distance < best_distance) {
      best = &name;
      best_distance = distance;
    }
  }
  if (best != nullptr) return *best;
  const std::string* prefixed = nullptr;
  for (const std::string& name : names) {
    if (!name.starts_with(typed)) continue;
    if (prefixed != nullptr) return std::nullopt;
    prefixed = &name;
  }
  return prefixed != nullptr ? std::optional<std::string>(*prefixed) : std::nullopt;
}

std::string DidYouMean(std::string_view typed, const std::vector<std::string>& names) {
  const auto name = ClosestName(typed, names);
  return name ? "; did you mean '" + *name + "'?" : "";
}

}  // namespace quillory::cli
