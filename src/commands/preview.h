#pragma once

#include <string>
#include <string_view>

#include "ports/views.h"
#include "project/readme_project.h"

namespace quillory {

// The main window's tabs, in order.
enum class Tab { kEditor = 0, kPreviewText = 1, kPreviewHtml = 2, kNfo = 3 };

struct PreviewViews {
  PreviewTextView& text;
  BrowserView& browser;
};

// The one path of the temporary preview page, "quillory_temp.html": in runtime_dir when that is an absolute
// path of a folder this user owns, else in the folder "quillory" of cache_home. That folder is created, with
// any missing parent, mode 0700, and when it is a folder already it is made private (0700); a link there is
// left as it is and never followed. Nothing is raised: a folder that cannot be made shows when the page is
// written.
std::string TemporaryPagePathIn(std::string_view runtime_dir, const std::string& cache_home);

// Deletes the file or link at the temporary preview page's path (a link is removed, not followed). Nothing
// there, a folder there, or a folder on the way that cannot be reached is no page: nothing to do. Raises
// "Cannot delete file "%s". %s" when a page is there and cannot be deleted: the preview then keeps its
// page, and the window's close is abandoned.
void DeleteTemporaryPage(const std::string& path);

// Rebuilds the preview tab just selected from the record: the Preview Text memo from the plain-text
// README, or the browser view from the preview page written to temp_page_path (the blank page for an empty
// program name). The Editor and NFO tabs touch nothing here (the NFO memo is NfoEdits's). An empty program
// name leaves the memo empty. Raises when the old page cannot be removed or the new one
// cannot be written; the browser then keeps its page.
void ShowTabCommand(const ReadmeProject& record, Tab tab, PreviewViews& views,
                    const std::string& temp_page_path);

}  // namespace quillory
