#include "commands/html_commands.h"

#include "common/error.h"
#include "fields/html_color.h"

namespace quillory {

std::string& HtmlColorSetting(ReadmeProject& record, HtmlColorSlot slot) {
  switch (slot) {
    case HtmlColorSlot::kBody:
      return record.c1;
    case HtmlColorSlot::kTdFont:
      return record.c2;
    case HtmlColorSlot::kBorder:
      return record.c3;
    case HtmlColorSlot::kBorderBackground:
      return record.c4;
    case HtmlColorSlot::kStrong:
      return record.c5;
    case HtmlColorSlot::kH3:
      break;
  }
  return record.c6;
}

void ChooseHtmlColor(ReadmeProject& record, Dialogs& dialogs, HtmlColorSlot slot) {
  const std::optional<std::uint32_t> chosen = dialogs.ChooseColor();
  if (!chosen) return;
  int status = 0;
  std::string html = ColorToHtml(*chosen, status);
  if (status != 0) throw Error("Cannot name the colour chosen (status " + std::to_string(status) + ")");
  HtmlColorSetting(record, slot) = std::move(html);
}

}  // namespace quillory
