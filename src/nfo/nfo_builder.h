#pragma once

#include "project/readme_project.h"
#include "text/byte_sink.h"
#include "text/lost_characters.h"
#include "text/text_lines.h"

namespace quillory {

// The NFO text of the record: its facts under CP437 box headings, framed by a copyright banner when there
// is a copyright. Values are converted to CP437 as text/nfo_text.h has it (letters CP437 lacks as their
// nearest ASCII, "?" for what has no Latin form); the characters written as "?" are noted in lost, when
// given. Reads the record only; cannot fail.
TextLines BuildNfoText(const ReadmeProject& record, LostCharacters* lost = nullptr);

// Writes JoinLines of BuildNfoText into sink, a long text in parts. Fails only as the sink's writer does.
void WriteNfoText(const ReadmeProject& record, ByteSink& sink, LostCharacters* lost = nullptr);

}  // namespace quillory
