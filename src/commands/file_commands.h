#pragma once

#include <optional>
#include <string>

#include "commands/window_state.h"
#include "ports/dialogs.h"
#include "project/readme_project.h"
#include "render/render.h"

namespace quillory {

inline constexpr std::string_view kProjectFilter = "Quillory file (*.qlx)|*.qlx";

// Whether the record has the program name every document needs; when it has none, shows the information
// message "Program Name is required!" and returns false.
bool ConfirmProgramName(const ReadmeProject& record, Dialogs& dialogs);

// Makes path the current document (title with its last path component) and reads its bytes into the
// record; facts and settings the document lacks keep their values.
void AdoptDocument(ReadmeProject& record, WindowState& window, const std::string& path, std::string bytes);

// File > Save: with a document, writes it; without one, asks for a name (extension rule, ".qlx"), adopts
// it (title with the file name) and writes it. An empty program name only shows the information
// message. Write failures raise "Unable to write to %s". Returns whether the document was written.
bool SaveCommand(ReadmeProject& record, WindowState& window, Dialogs& dialogs);

// The bytes of the document at path as the window opens it: a regular file that is text, at most 1 GiB,
// or nothing when the path names nothing. Raises "Cannot open file "%s". %s" (also when memory for it cannot
// be had), ""%s" is not a regular file" or ""%s" is not a Quillory project document".
std::optional<std::string> ReadDocumentForWindow(const std::string& path);

// File > Open: asks for a document, then Clear All, adopts the chosen path (title with its last
// component) and reads it. A file that exists but cannot be read, or is not a regular file, or is not
// text raises the errors of ReadDocumentForWindow before anything changes. Returns whether a document was
// adopted.
bool OpenCommand(ReadmeProject& record, WindowState& window, Dialogs& dialogs);

}  // namespace quillory
