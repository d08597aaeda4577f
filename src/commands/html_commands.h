#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ports/dialogs.h"
#include "project/readme_project.h"

namespace quillory {

// The platform colour value (red in the low byte) an HTML colour text names: "#RRGGBB", "#RGB" or a
// colour name of NamedColors (letter case and surrounding blanks ignored, "grey" spelt either way); nothing
// for any other text.
std::optional<std::uint32_t> HtmlColorValue(std::string_view text);

// An entry of Edit > Html > Colors: shows a new colour dialog, starting at the colour the record holds in
// colour (c1 to c6; black when that text names none), and sets that colour to the HtmlColor of the colour
// chosen, whatever the old text was; a cancelled dialog changes nothing. Raises an Error when ColorToHtml
// reports a failure, leaving the colour unchanged.
void ChooseHtmlColor(ReadmeProject& record, Dialogs& dialogs, std::string ReadmeProject::*colour);

}  // namespace quillory
