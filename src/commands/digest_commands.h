#pragma once

#include "ports/dialogs.h"
#include "project/readme_project.h"
#include "text/input_source.h"

namespace quillory {

// The "..." button beside the MD5 field: asks for a file (no title, no filter, no initial folder) and sets
// md5 to the 32 upper-case digits of its digest. Cancelling the dialog, or progress returning false,
// changes nothing. A file that cannot be opened or read raises "Cannot open file "%s". %s", anything but a
// regular file ""%s" is not a regular file" at once, and md5 keeps its text.
void FillMd5Command(ReadmeProject& record, Dialogs& dialogs, const ReadProgress& progress = {});

// The "..." button beside the SHA-256 field: the same as FillMd5Command, setting sha256 to the 64
// lower-case digits of the file's SHA-256.
void FillSha256Command(ReadmeProject& record, Dialogs& dialogs, const ReadProgress& progress = {});

// The "..." button beside the file-size field: asks for a file the same way and sets size to the size text
// of its length. Cancelling changes nothing; a file that cannot be opened raises "I/O error %d", anything
// but a regular file ""%s" is not a regular file", and size keeps its text.
void FillSizeCommand(ReadmeProject& record, Dialogs& dialogs);

}  // namespace quillory
