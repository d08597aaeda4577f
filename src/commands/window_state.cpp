#include "commands/window_state.h"

namespace quillory {

std::string_view CharsetValue(CharsetItem item) {
  switch (item) {
    case CharsetItem::kUtf8:
      return "utf-8";
    case CharsetItem::kIso88591:
      return "iso-8859-1";
    case CharsetItem::kIso88592:
      return "iso-8859-2";
  }
  return "iso-8859-1";
}

void WindowState::CheckOnly(CharsetItem item) {
  charset_checked = {false, false, false};
  charset_checked[static_cast<size_t>(item)] = true;
}

std::string LastPathComponent(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string WindowTitle(const ReadmeProject& record) {
  if (record.document_path.empty()) return std::string(kAppTitle);
  return LastPathComponent(record.document_path) + " - " + std::string(kAppTitle);
}

void UpdateCharsetChecks(WindowState& window, std::string_view chr) {
  for (auto item : {CharsetItem::kUtf8, CharsetItem::kIso88591, CharsetItem::kIso88592}) {
    if (chr == CharsetValue(item)) window.CheckOnly(item);
  }
}

void ClearAll(ReadmeProject& record) { ClearAllFacts(record); }

void RestoreHtmlDefaults(ReadmeProject& record, WindowState& window) {
  SetHtmlDefaults(record);
  window.CheckOnly(CharsetItem::kIso88591);
}

void NewProject(ReadmeProject& record, WindowState& window) {
  record.document_path.clear();
  ClearAll(record);
  RestoreHtmlDefaults(record, window);
}

void ChooseCharset(ReadmeProject& record, WindowState& window, CharsetItem item) {
  record.chr = CharsetValue(item);
  window.CheckOnly(item);
}

}  // namespace quillory
