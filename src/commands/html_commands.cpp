#include "commands/html_commands.h"

#include "common/error.h"
#include "fields/html_color.h"
#include "text/ascii.h"

namespace quillory {
namespace {

std::optional<std::uint32_t> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  c = AsciiLower(c);
  if (c >= 'a' && c <= 'f') return static_cast<std::uint32_t>(c - 'a' + 10);
  return std::nullopt;
}

// 0xRRGGBB as a platform colour value.
std::uint32_t PlatformValue(std::uint32_t rgb) {
  return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;
}

}  // namespace

std::optional<std::uint32_t> HtmlColorValue(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.starts_with('#') && (text.size() == 7 || text.size() == 4)) {
    std::uint32_t rgb = 0;
    for (char c : text.substr(1)) {
      const auto digit = HexDigit(c);
      if (!digit) return std::nullopt;
      rgb = rgb << 4 | *digit;
      if (text.size() == 4) rgb = rgb << 4 | *digit;  // "#abc" is "#aabbcc"
    }
    return PlatformValue(rgb);
  }
  std::string name = AsciiLower(text);
  for (size_t grey = name.find("grey"); grey != std::string::npos; grey = name.find("grey", grey))
    name.replace(grey, 4, "gray");
  for (const NamedColor& named : NamedColors()) {
    // The table keeps "lightgrey" as the one spelling of D3D3D3.
    if (named.name == name || (named.name == "lightgrey" && name == "lightgray")) {
      return PlatformValue(named.rgb);
    }
  }
  return std::nullopt;
}

void ChooseHtmlColor(ReadmeProject& record, Dialogs& dialogs, std::string ReadmeProject::*colour) {
  const std::optional<std::uint32_t> chosen = dialogs.ChooseColor(HtmlColorValue(record.*colour).value_or(0));
  if (!chosen) return;
  int status = 0;
  std::string html = ColorToHtml(*chosen, status);
  if (status != 0) throw Error("Cannot name the colour chosen (status " + std::to_string(status) + ")");
  record.*colour = std::move(html);
}

}  // namespace quillory
