#pragma once

#include "project/readme_project.h"
#include "text/text_lines.h"

namespace quillory {

// The framed plain-text README of the record. Reads the record only; cannot fail.
TextLines BuildTextReadme(const ReadmeProject& record);

}  // namespace quillory
