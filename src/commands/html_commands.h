#pragma once

#include "ports/dialogs.h"
#include "project/readme_project.h"

namespace quillory {

// The entries of Edit > Html > Colors that pick one colour, in menu order, and the setting each changes:
// <body> c1, <td> (font) c2, <border> c3, <border> (background) c4, <strong> c5, <h3> c6.
enum class HtmlColorSlot { kBody, kTdFont, kBorder, kBorderBackground, kStrong, kH3 };

// The record's colour setting of a slot.
std::string& HtmlColorSetting(ReadmeProject& record, HtmlColorSlot slot);

// A colour command: shows a new colour dialog and sets the slot's colour to the HtmlColor of the colour
// chosen, whatever the old text was; a cancelled dialog changes nothing. Raises an Error when ColorToHtml
// reports a failure, leaving the colour unchanged.
void ChooseHtmlColor(ReadmeProject& record, Dialogs& dialogs, HtmlColorSlot slot);

}  // namespace quillory
