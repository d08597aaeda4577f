#pragma once

#include <array>
#include <string>
#include <string_view>

#include "common/error.h"
#include "project/readme_project.h"

namespace quillory {

// The items of the Character Set menu, in menu order.
enum class CharsetItem { kUtf8 = 0, kIso88591 = 1, kIso88592 = 2 };

// The value each Character Set item gives to chr.
std::string_view CharsetValue(CharsetItem item);

// What the window shows beside the record: the Character Set check marks. (The title follows the record's
// document path: WindowTitle.)
struct WindowState {
  std::array<bool, 3> charset_checked{false, true, false};

  bool IsChecked(CharsetItem item) const { return charset_checked[static_cast<size_t>(item)]; }
  // Checks item and clears the other two.
  void CheckOnly(CharsetItem item);
};

// The last path component of path (the text after its last "/").
std::string LastPathComponent(std::string_view path);

// The window's title (UTF-8 as the path's bytes are): the document's file name, " - " and the application
// title ("notes.qlx - Quillory v0.1"), or the application title alone without a document.
std::string WindowTitle(const ReadmeProject& record);

// Moves the check mark to the item whose value equals chr exactly; any other value leaves the marks.
void UpdateCharsetChecks(WindowState& window, std::string_view chr);

// Clear All: every fact becomes empty; nothing else changes.
void ClearAll(ReadmeProject& record);

// The HTML defaults, with "iso-8859-1" the only checked Character Set item.
void RestoreHtmlDefaults(ReadmeProject& record, WindowState& window);

// New: no document (the bare application title), Clear All, HTML defaults.
void NewProject(ReadmeProject& record, WindowState& window);

// A Character Set command: sets chr to the item's value and checks only that item.
void ChooseCharset(ReadmeProject& record, WindowState& window, CharsetItem item);

}  // namespace quillory
