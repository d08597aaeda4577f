#pragma once

#include <string>
#include <vector>

#include "ports/views.h"

namespace quillory::testing {

// An NFO memo as bytes with a selection [selection_start, selection_end) and the caret at its end.
class FakeNfoMemo : public NfoMemoView {
 public:
  std::string bytes;
  size_t selection_start = 0;
  size_t selection_end = 0;

  std::string Bytes() override { return bytes; }
  void SetBytes(const std::string& text) override {
    bytes = text;
    selection_start = selection_end = 0;
  }
  void ReplaceSelection(const std::string& text) override {
    bytes.replace(selection_start, selection_end - selection_start, text);
    selection_start = selection_end = selection_start + text.size();
  }
};

class FakePreviewText : public PreviewTextView {
 public:
  std::string text;
  int updates = 0;
  void SetText(const std::string& bytes) override {
    text = bytes;
    ++updates;
  }
};

class FakeBrowser : public BrowserView {
 public:
  std::vector<std::string> shown;  // paths, or "about:blank"
  void ShowPage(const std::string& path) override { shown.push_back(path); }
  void ShowBlank() override { shown.push_back("about:blank"); }
};

}  // namespace quillory::testing
