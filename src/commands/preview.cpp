#include "commands/preview.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/error.h"
#include "render/render.h"
#include "text/file_io.h"

namespace quillory {

void DeleteTemporaryPage(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return;
    throw Error(SystemReason(errno));
  }
  if (::unlink(path.c_str()) != 0) throw Error(SystemReason(errno));
}

void ShowTabCommand(const ReadmeProject& record, Tab tab, PreviewViews& views,
                    const std::string& temp_page_path) {
  const bool named = HasProgramName(record);
  switch (tab) {
    case Tab::kEditor:
      return;
    case Tab::kPreviewText:
      views.text.SetText(named ? RenderDocument(record, Format::kText) : std::string());
      return;
    case Tab::kNfo:
      views.nfo.SetBytes(named ? RenderDocument(record, Format::kNfo) : std::string());
      return;
    case Tab::kPreviewHtml:
      DeleteTemporaryPage(temp_page_path);
      if (!named) {
        views.browser.ShowBlank();
        return;
      }
      WriteNewPrivateFile(temp_page_path, RenderDocument(record, Format::kHtmlPreview));
      if (IsExistingFile(temp_page_path)) views.browser.ShowPage(temp_page_path);
      return;
  }
}

}  // namespace quillory
