#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ports/dialogs.h"

namespace quillory::testing {

// Dialogs that give scripted answers, first queued first, and record what they were asked. An answer not
// queued is a cancel.
class FakeDialogs : public Dialogs {
 public:
  std::deque<std::optional<FileDialogResult>> open_answers;
  std::deque<std::optional<std::uint32_t>> color_answers;
  std::vector<FileDialogRequest> open_requests;
  int color_dialogs_shown = 0;
  std::vector<std::string> messages;

  std::optional<FileDialogResult> OpenFile(const FileDialogRequest& request) override {
    open_requests.push_back(request);
    return Next(open_answers);
  }
  std::optional<FileDialogResult> SaveFile(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::uint32_t> ChooseColor() override {
    ++color_dialogs_shown;
    return Next(color_answers);
  }
  void ShowInformation(const std::string& text) override { messages.push_back(text); }
  void ShowError(const std::string& text) override { messages.push_back(text); }

  // Queues the choice of path in the next open-file dialog.
  void WillOpen(const std::string& path) { open_answers.push_back(FileDialogResult{path, 1}); }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace quillory::testing
