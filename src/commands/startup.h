#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/window_state.h"
#include "ports/association_store.h"
#include "ports/dialogs.h"
#include "project/readme_project.h"

namespace quillory {

// The keys of the ".qlx" file association, registry-shaped; each holds a default string value.
inline constexpr std::string_view kDocumentTypeKey = ".qlx";
inline constexpr std::string_view kProgramKey = "Quillory";
inline constexpr std::string_view kOpenCommandKey = "Quillory\\Shell\\Open\\Command";
inline constexpr std::string_view kDocumentIconKey = "Quillory\\DefaultIcon";

// The value of kDocumentTypeKey: the name of the program key.
inline constexpr std::string_view kDocumentTypeValue = kProgramKey;

// The open command registered for a program file: its path, a blank and "%1" (no quotes added).
std::string OpenCommandFor(std::string_view exe_path);
// The document icon registered for a program file: its path followed by ",1".
std::string DocumentIconFor(std::string_view exe_path);

// Brings the association up to date. Only the open command is compared (exactly; a missing or unreadable
// key counts as different): when it differs from exe_path's, ".qlx", the open command and the icon are
// written, in that order. Returns whether it wrote. A write the store refuses raises its error; keys
// written before it stay. An empty exe_path, or one that is not UTF-8, writes nothing and raises a message
// naming it.
bool UpdateFileAssociation(AssociationStore& store, const std::string& exe_path);

// What RemoveFileAssociation found and did.
enum class AssociationRemoval {
  kRemoved,        // the keys were there and are gone
  kNotRegistered,  // no key was there
  kKept,           // a key is still there: the installed package provides it (or the store refused)
};

// Removes the association: the "Quillory" key tree, then ".qlx". Missing keys are skipped and a refused
// deletion raises nothing; what is left afterwards tells the outcome.
AssociationRemoval RemoveFileAssociation(AssociationStore& store);

// The information message that says what RemoveFileAssociation did or why not.
std::string AssociationRemovalMessage(AssociationRemoval outcome);

// Help > "Remove *.qlx associate": RemoveFileAssociation, then its message in an information box.
void RemoveFileAssociationCommand(AssociationStore& store, Dialogs& dialogs);

// What the start-up step takes from the process.
struct StartupEnvironment {
  std::string exe_path;                // the running program file
  std::vector<std::string> arguments;  // the command line without the program's own name
};

// The start-up step, in its order: set_tooltip_colour (the window's part; may be empty), the file
// association, the HTML defaults with "iso-8859-1" the only checked Character Set item, and the document
// named by the first argument, unless that is empty (the document path becomes the argument, the title shows
// its file name, and the document is read; facts it lacks keep their text). A failed association does not
// stop the rest: its error is raised once the rest is done. A document that does not exist, cannot be read,
// or is not a regular file or no project document raises the errors of ReadExistingDocument and is not
// adopted; when the association failed too, both messages are raised as one, a line each.
void RunStartupStep(ReadmeProject& record, WindowState& window, AssociationStore& store,
                    const StartupEnvironment& environment, const std::function<void()>& set_tooltip_colour);

}  // namespace quillory
