#pragma once

#include <string>
#include <string_view>

#include "commands/window_state.h"
#include "ports/dialogs.h"
#include "project/readme_project.h"

namespace quillory {

// The type list of Save As: the project document, then every format Save As exports.
std::string SaveAsFilter();
// The title of the Save As dialog, naming every type of SaveAsFilter: "Save As *.qlx or Export *.txt, ...".
std::string SaveAsTitle();

// File > Save As...: asks for a name and a file type (initial name: the program name + " Readme"; the dialog
// asks before replacing a file), gives the name the type's extension, then
// 1. saves the project there (RequireStorableTexts first, then WriteChosenDocument) and adopts it (the title
//    shows its file name), or
// 2. and later: exports the document of the type chosen;
// exports leave the document and title as they were. An empty program name only shows the information
// message. Exports are written atomically and raise "Cannot create file "%s". %s" or "Stream write error";
// the project raises "Unable to write to %s". Returns whether the project document was written.
bool SaveAsCommand(ReadmeProject& record, WindowState& window, Dialogs& dialogs);

}  // namespace quillory
