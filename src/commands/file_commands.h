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

// Makes path the current document (the title shows its last path component) and reads its bytes into the
// record; facts and settings the document lacks keep their values.
void AdoptDocument(ReadmeProject& record, WindowState& window, const std::string& path, std::string bytes);

// Raises an error naming the first multi-line text of the record that holds the character ¤ (which a saved
// document reads back as a line break, see FindUnstorableText); a record that has none passes.
void RequireStorableTexts(const ReadmeProject& record);

// Writes the record as the project document at a path the user chose in a save dialog and agreed to
// replace: a project document there is updated as WriteProjectDocument does, any other file is replaced
// whole, never merged into. Returns the encoding written. Raises "Unable to write to %s" (or the message of
// a link that is not followed); the file is then left as it was.
DocumentEncoding WriteChosenDocument(const ReadmeProject& record, const std::string& path);

// File > Save: first RequireStorableTexts (nothing is written when it raises). With a document, writes it,
// unless the file there is no longer a project document
// (IsProjectDocumentBytes): that raises ""%s" is not a Quillory project document" and writes nothing.
// Without a document, asks for a name (extension rule, ".qlx"; the dialog asks before replacing a file),
// adopts it (the title shows its file name) and writes it by WriteChosenDocument. An empty program name
// only shows the information message. Write failures raise "Unable to write to %s". The record takes the
// encoding written. Returns whether the document was written.
bool SaveCommand(ReadmeProject& record, WindowState& window, Dialogs& dialogs);

// The bytes of the document at path as the window opens it: a regular file that is a project document
// (IsProjectDocumentBytes), at most 1 GiB, or nothing when the path names nothing. Raises "Cannot open file
// "%s". %s" (also when memory for it cannot be had), ""%s" is not a regular file" or ""%s" is not a Quillory
// project document".
std::optional<std::string> ReadDocumentForWindow(const std::string& path);

// The bytes of the existing document at path (ReadDocumentForWindow); a path that names nothing raises
// "Cannot open file "%s". No such file or directory".
std::string ReadExistingDocument(const std::string& path);

// File > Open: asks for a document, then Clear All, adopts the chosen path (the title shows its last
// component) and reads it; a name that does not exist starts an empty document of that name. A file that
// exists but cannot be read, or is not a regular file, or is no project document raises the errors of
// ReadDocumentForWindow before anything changes. Returns the path adopted, or nothing when cancelled.
std::optional<std::string> OpenCommand(ReadmeProject& record, WindowState& window, Dialogs& dialogs);

// Opens the existing document at path without a dialog (a recent document, a file dropped on the window):
// reads it (ReadExistingDocument, whose errors change nothing), then Clear All and adopts it.
void OpenDocumentAt(ReadmeProject& record, WindowState& window, const std::string& path);

}  // namespace quillory
