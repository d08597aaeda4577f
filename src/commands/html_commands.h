#pragma once

#include <string>

#include "ports/dialogs.h"
#include "project/readme_project.h"

namespace quillory {

// An entry of Edit > Html > Colors: shows a new colour dialog and sets the colour the record holds in
// colour (c1 to c6) to the HtmlColor of the colour chosen, whatever the old text was; a cancelled dialog
// changes nothing. Raises an Error when ColorToHtml reports a failure, leaving the colour unchanged.
void ChooseHtmlColor(ReadmeProject& record, Dialogs& dialogs, std::string ReadmeProject::*colour);

}  // namespace quillory
