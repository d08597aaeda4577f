#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ports/clock.h"
#include "ports/dialogs.h"
#include "ports/shell.h"
#include "project/readme_project.h"

namespace quillory {

inline constexpr std::string_view kTextFilesFilter = "Text Files (*.txt)|*.txt";
// The largest text file a multi-line field takes (64 MiB); a larger one raises "Text exceeds memo capacity".
inline constexpr std::uint64_t kMemoCapacity = std::uint64_t{64} << 20;

// Load text file: asks for a file ("Text Files (*.txt)|*.txt") and makes it the whole text of the fact
// the record holds in text (TextFileAsFact). Raises "Cannot open file "%s". %s", ""%s" is not a regular
// file" (at once, for anything else) or "Text exceeds memo capacity"; the fact then keeps its text.
void LoadTextFileCommand(ReadmeProject& record, Dialogs& dialogs, std::string ReadmeProject::*text);

// Clear field: the fact becomes empty.
void ClearTextFieldCommand(ReadmeProject& record, std::string ReadmeProject::*text);

// The copyright buttons: each appends its text to the copyright.
enum class CopyrightAddition { kCopyrightSign, kRegisteredSign, kTradeMarkSign, kAllRightsReserved };
void AppendToCopyrightCommand(ReadmeProject& record, CopyrightAddition addition);

// Visit address: opens the field's text (UTF-8) through the shell when it is a web address.
void VisitAddressCommand(const std::string& field_text, Shell& shell);

// Set release date: creation becomes the date in the locale's short format, followed by a space and the
// current time ("hh/mm") when with_time.
void SetReleaseDateCommand(ReadmeProject& record, Clock& clock, const CalendarDate& date, bool with_time);

// The project's web address.
inline constexpr std::string_view kProjectAddress = "https://github.com/quillory/quillory";

// The About message (UTF-8): the title with the version, what the program does, the copyright, the
// licence (GNU GPL version 3 or later, without warranty) and the project's address.
std::string AboutText();
void AboutCommand(Dialogs& dialogs);

}  // namespace quillory
