#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/error.h"
#include "ports/association_store.h"
#include "ports/clock.h"
#include "ports/dialogs.h"
#include "ports/shell.h"

namespace quillory::testing {

// Dialogs that record every request and return scripted answers; with no answer queued a dialog is
// cancelled.
class FakeDialogs : public Dialogs {
 public:
  std::deque<std::optional<FileDialogResult>> open_answers, save_answers;
  std::deque<std::optional<std::uint32_t>> color_answers;
  std::vector<FileDialogRequest> open_requests, save_requests;
  int color_requests = 0;
  std::vector<std::string> informations, errors;

  // Queues a confirmed answer for the next open or save dialog.
  void AnswerOpen(const std::string& path, int filter_index = 1) {
    open_answers.push_back(FileDialogResult{path, filter_index});
  }
  void AnswerSave(const std::string& path, int filter_index = 1) {
    save_answers.push_back(FileDialogResult{path, filter_index});
  }

  std::optional<FileDialogResult> OpenFile(const FileDialogRequest& request) override {
    open_requests.push_back(request);
    return Next(open_answers);
  }
  std::optional<FileDialogResult> SaveFile(const FileDialogRequest& request) override {
    save_requests.push_back(request);
    return Next(save_answers);
  }
  std::optional<std::uint32_t> ChooseColor() override {
    ++color_requests;
    return Next(color_answers);
  }
  void ShowInformation(const std::string& text) override { informations.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(text); }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// A shell that records the addresses it was asked to open.
class FakeShell : public Shell {
 public:
  std::vector<std::string> opened;
  void OpenUrl(const std::string& address) override { opened.push_back(address); }
};

// A clock at a fixed time with a fixed "dd.MM.yyyy" locale.
class FakeClock : public Clock {
 public:
  LocalTime now{14, 5};
  std::string separator = ".";
  LocalTime Now() override { return now; }
  std::string FormatShortDate(const CalendarDate& date) override {
    auto two = [](int n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
    return two(date.day) + separator + two(date.month) + separator + std::to_string(date.year);
  }
  std::string DateSeparator() override { return separator; }
};

// An in-memory association store that logs every write and deletion ("write KEY=VALUE", "delete KEY").
// Deleting a key removes its subkeys ("KEY\..."). With refuse_writes set, writes raise the store error.
class FakeAssociationStore : public AssociationStore {
 public:
  std::map<std::string, std::string> values;
  std::vector<std::string> log;
  bool refuse_writes = false;

  bool KeyExists(const std::string& key) override {
    for (const auto& [name, value] : values) {
      if (name == key || name.rfind(key + "\\", 0) == 0) return true;
    }
    return false;
  }
  std::optional<std::string> ReadDefault(const std::string& key) override {
    auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void WriteDefault(const std::string& key, const std::string& value) override {
    if (refuse_writes) throw Error("Failed to set data for '" + key + "'");
    log.push_back("write " + key + "=" + value);
    values[key] = value;
  }
  void DeleteKeyTree(const std::string& key) override {
    log.push_back("delete " + key);
    std::erase_if(values, [&](const auto& entry) {
      return entry.first == key || entry.first.rfind(key + "\\", 0) == 0;
    });
  }
};

}  // namespace quillory::testing
