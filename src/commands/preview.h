#pragma once

#include <string>

#include "ports/views.h"
#include "project/readme_project.h"

namespace quillory {

// The main window's tabs, in order.
enum class Tab { kEditor = 0, kPreviewText = 1, kPreviewHtml = 2, kNfo = 3 };

struct PreviewViews {
  PreviewTextView& text;
  BrowserView& browser;
  NfoMemoView& nfo;
};

// Deletes whatever stands at the temporary preview page's path (a link is removed, not followed); nothing
// there is nothing to do. Raises the system's reason ("Permission denied", "Is a directory") when it cannot
// be deleted: the preview then keeps its page, and the window's close is abandoned.
void DeleteTemporaryPage(const std::string& path);

// Rebuilds the tab just selected from the record: the Preview Text memo from the plain-text README, the
// browser view from the preview page written to temp_page_path (the blank page for an empty program
// name), or the NFO memo from the NFO text (hand edits are lost). The Editor tab touches nothing. An
// empty program name leaves the memos empty. Raises when the old page cannot be removed or the new one
// cannot be written; the browser then keeps its page.
void ShowTabCommand(const ReadmeProject& record, Tab tab, PreviewViews& views,
                    const std::string& temp_page_path);

}  // namespace quillory
