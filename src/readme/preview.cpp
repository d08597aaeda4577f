#include "readme/preview.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/error.h"
#include "nfo/nfo_builder.h"
#include "readme/html_readme.h"
#include "readme/text_readme.h"
#include "text/file_io.h"
#include "text/text_lines.h"

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
  const bool named = !record.program_name.empty();
  switch (tab) {
    case Tab::kEditor:
      return;
    case Tab::kPreviewText:
      views.text.SetText(named ? JoinLines(BuildTextReadme(record)) : std::string());
      return;
    case Tab::kNfo:
      views.nfo.SetBytes(named ? JoinLines(BuildNfoText(record)) : std::string());
      return;
    case Tab::kPreviewHtml:
      DeleteTemporaryPage(temp_page_path);
      if (!named) {
        views.browser.ShowBlank();
        return;
      }
      WriteNewPrivateFile(temp_page_path, JoinLines(BuildHtmlReadme(record, HtmlVariant::kPreview)));
      if (IsExistingFile(temp_page_path)) views.browser.ShowPage(temp_page_path);
      return;
  }
}

}  // namespace quillory
