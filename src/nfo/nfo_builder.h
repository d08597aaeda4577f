#pragma once

#include "project/readme_project.h"
#include "text/text_lines.h"

namespace quillory {

// The NFO text of the record: its facts under CP437 box headings, framed by a copyright banner when there
// is a copyright. Values are converted from Windows-1252 to CP437 (letters CP437 lacks as their nearest
// ASCII, see Cp1252ToCp437). Reads the record only; cannot fail.
TextLines BuildNfoText(const ReadmeProject& record);

}  // namespace quillory
