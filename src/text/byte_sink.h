#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace quillory {

// Where a document's bytes go as a builder makes them: kept whole, or handed on in pieces so that a long
// document is never held whole. A builder appends to text() and calls Spill() between pieces.
class ByteSink {
 public:
  // Receives each piece, in order. It may throw; the builder's call then ends with that exception.
  using Writer = std::function<void(std::string_view)>;

  // About how many bytes a piece holds.
  static constexpr std::size_t kPieceSize = std::size_t{1} << 20;

  // A sink that keeps every byte in text().
  ByteSink() = default;
  // A sink that hands the bytes to writer in pieces.
  explicit ByteSink(Writer writer) : writer_(std::move(writer)) {}

  // The bytes not handed on yet.
  std::string& text() { return text_; }
  // Whether the bytes are handed on in pieces.
  bool hands_on() const { return static_cast<bool>(writer_); }
  // Hands on what text() holds once that is a piece or more; a keeping sink keeps it.
  void Spill() {
    if (writer_ && text_.size() >= kPieceSize) Flush();
  }
  // Appends bytes to text(); a sink that hands on gives a run of a piece or more to its writer as it is,
  // after what text() held.
  void Append(std::string_view bytes) {
    if (writer_ && bytes.size() >= kPieceSize) {
      Flush();
      writer_(bytes);
      return;
    }
    text_ += bytes;
    Spill();
  }
  // Hands on whatever text() holds; a keeping sink keeps it.
  void Flush() {
    if (!writer_ || text_.empty()) return;
    writer_(text_);
    text_.clear();
  }

 private:
  Writer writer_;
  std::string text_;
};

// The length of the first piece of text, at most about `most` bytes, that ends neither inside a UTF-8
// character nor between CR and LF (the whole text when it is no longer than most).
inline std::size_t PieceLength(std::string_view text, std::size_t most) {
  if (text.size() <= most) return text.size();
  std::size_t end = most;
  for (int back = 0; back < 3 && end > 1 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80; ++back) {
    --end;
  }
  if (text[end] == '\n' && text[end - 1] == '\r' && end > 1) --end;
  return end;
}

}  // namespace quillory
