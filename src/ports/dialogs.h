#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillory {

// What a file dialog is asked to show. Texts are UTF-8; the filter is the description|pattern list
// ("Quillory file (*.qlx)|*.qlx").
struct FileDialogRequest {
  std::string filter;
  int filter_index = 1;   // 1-based index of the filter selected at first
  std::string file_name;  // proposed name, may be empty
  std::string title;      // empty: the dialog's own title
};

// What the user confirmed: the chosen full path and the 1-based index of the filter selected then.
struct FileDialogResult {
  std::string path;
  int filter_index = 1;
};

// The answers to the question whether to save changes before they would be lost.
enum class SaveChangesAnswer { kSave, kDiscard, kCancel };

// The platform's common dialogs and message boxes. Each call creates a fresh dialog, so nothing is
// remembered between calls.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The open-file dialog; nothing when cancelled. The chosen name need not exist.
  virtual std::optional<FileDialogResult> OpenFile(const FileDialogRequest& request) = 0;
  // The save-file dialog; nothing when cancelled. No default extension is added to the path returned; but
  // when the chosen name, given the selected type's extension by the extension rule (ApplyExtension), names
  // a file that exists, the dialog asks whether to replace it and ends only when the user agrees.
  virtual std::optional<FileDialogResult> SaveFile(const FileDialogRequest& request) = 0;
  // The colour dialog, starting at initial; colours are platform colour values (red in the low byte, green
  // in the second, blue in the third). Returns the colour chosen, or nothing when cancelled.
  virtual std::optional<std::uint32_t> ChooseColor(std::uint32_t initial) = 0;
  // An information box (caption "Information", information icon, one OK button). UTF-8 text.
  virtual void ShowInformation(const std::string& text) = 0;
  // The About box: an information box that shows the application icon where a platform has one; the
  // plain information box elsewhere. UTF-8 text.
  virtual void ShowAbout(const std::string& text) { ShowInformation(text); }
  // The standard error box (caption: the application title, error icon, one OK button). UTF-8 text, shown as
  // given: the caller has already applied the full-stop rule.
  virtual void ShowError(const std::string& text) = 0;
  // A question box (caption: the application title, warning icon) with Save, Discard and Cancel, Save the
  // default; closing it counts as Cancel. UTF-8 text, shown as given.
  virtual SaveChangesAnswer AskSaveChanges(const std::string& question) = 0;
  // A question box (caption: the application title, question icon) with Yes and No, No the default;
  // closing it counts as No. Returns whether the answer was Yes. UTF-8 text, shown as given.
  virtual bool Confirm(const std::string& question) = 0;
};

}  // namespace quillory
