#pragma once

#include "project/readme_project.h"
#include "text/text_lines.h"

namespace quillory {

// The NFO text of the record: its facts under CP437 box headings, framed by a copyright banner when there
// is a copyright. Values are copied byte for byte. Reads the record only; cannot fail.
TextLines BuildNfoText(const ReadmeProject& record);

}  // namespace quillory
