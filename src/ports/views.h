#pragma once

#include <string>

namespace quillory {

// The read-only Preview Text memo. It shows the text README's bytes: UTF-8 after a byte-order mark,
// else Windows-1252.
class PreviewTextView {
 public:
  virtual ~PreviewTextView() = default;
  // Replaces the whole text (CR LF between lines).
  virtual void SetText(const std::string& bytes) = 0;
};

// The embedded browser view of the HTML preview.
class BrowserView {
 public:
  virtual ~BrowserView() = default;
  // Shows the page in the file at path (UTF-8 path).
  virtual void ShowPage(const std::string& path) = 0;
  // Shows the blank page.
  virtual void ShowBlank() = 0;
};

// The NFO memo. It holds CP437 bytes, CR LF between lines, and shows the CP437 glyph of each.
class NfoMemoView {
 public:
  virtual ~NfoMemoView() = default;
  virtual std::string Bytes() = 0;
  virtual void SetBytes(const std::string& bytes) = 0;
  // Replaces the selection with bytes (inserts at the caret when nothing is selected); the caret ends
  // after them.
  virtual void ReplaceSelection(const std::string& bytes) = 0;
};

}  // namespace quillory
