#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace quillory {

// The distinct characters an output had to write as "?", in the order they first appeared. A
// transliteration or a character reference is no loss; only "?" standing for a character is.
class LostCharacters {
 public:
  // Notes that ch was written as "?".
  void Add(char32_t ch) {
    if (ch < kFlatRange) {
      if (seen_.empty()) seen_.resize(kFlatRange / 64);
      uint64_t& word = seen_[ch / 64];
      const uint64_t bit = uint64_t{1} << (ch % 64);
      if (word & bit) return;
      word |= bit;
    } else if (!seen_other_.insert(ch).second) {
      return;
    }
    characters_.push_back(ch);
  }
  const std::vector<char32_t>& characters() const { return characters_; }
  bool empty() const { return characters_.empty(); }

 private:
  // Below this, a bit per character says whether it was noted (Unicode's first two planes, where nearly
  // every character of a text lies).
  static constexpr char32_t kFlatRange = 0x20000;
  std::vector<uint64_t> seen_;
  std::unordered_set<char32_t> seen_other_;
  std::vector<char32_t> characters_;
};

// The characters as a list for people: "日, 本, 😀" (UTF-8).
std::string CharacterList(const std::vector<char32_t>& characters);

}  // namespace quillory
