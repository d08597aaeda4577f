#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ports/dialogs.h"

namespace quillory::testing {

// Dialogs that give scripted answers and record what they were asked. An unscripted file or colour
// dialog counts as cancelled.
class FakeDialogs : public Dialogs {
 public:
  std::deque<std::optional<FileDialogResult>> open_answers;
  std::deque<std::optional<FileDialogResult>> save_answers;
  std::deque<std::optional<std::uint32_t>> color_answers;
  std::deque<SaveChangesAnswer> save_changes_answers;  // unscripted: Discard
  std::deque<bool> confirm_answers;                    // unscripted: Yes

  std::vector<FileDialogRequest> open_requests;
  std::vector<FileDialogRequest> save_requests;
  std::vector<std::uint32_t> color_requests;  // the colour each colour dialog started at
  std::vector<std::string> informations;
  std::vector<std::string> errors;
  std::vector<std::string> questions;

  // Scripts the next save dialog to confirm path with the filter index.
  void AnswerSave(std::string path, int filter_index = 1) {
    save_answers.push_back(FileDialogResult{std::move(path), filter_index});
  }
  void AnswerOpen(std::string path, int filter_index = 1) {
    open_answers.push_back(FileDialogResult{std::move(path), filter_index});
  }

  std::optional<FileDialogResult> OpenFile(const FileDialogRequest& request) override {
    open_requests.push_back(request);
    return Next(open_answers);
  }
  std::optional<FileDialogResult> SaveFile(const FileDialogRequest& request) override {
    save_requests.push_back(request);
    return Next(save_answers);
  }
  std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) override {
    color_requests.push_back(initial);
    return Next(color_answers);
  }
  void ShowInformation(const std::string& text) override { informations.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  SaveChangesAnswer AskSaveChanges(const std::string& question) override {
    questions.push_back(question);
    if (save_changes_answers.empty()) return SaveChangesAnswer::kDiscard;
    const SaveChangesAnswer answer = save_changes_answers.front();
    save_changes_answers.pop_front();
    return answer;
  }
  bool Confirm(const std::string& question) override {
    questions.push_back(question);
    if (confirm_answers.empty()) return true;
    const bool answer = confirm_answers.front();
    confirm_answers.pop_front();
    return answer;
  }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace quillory::testing
