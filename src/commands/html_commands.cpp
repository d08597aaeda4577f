#include "commands/html_commands.h"

#include "common/error.h"
#include "fields/html_color.h"

namespace quillory {

void ChooseHtmlColor(ReadmeProject& record, Dialogs& dialogs, std::string ReadmeProject::*colour) {
  const std::optional<std::uint32_t> chosen = dialogs.ChooseColor();
  if (!chosen) return;
  int status = 0;
  std::string html = ColorToHtml(*chosen, status);
  if (status != 0) throw Error("Cannot name the colour chosen (status " + std::to_string(status) + ")");
  record.*colour = std::move(html);
}

}  // namespace quillory
