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

// The six multi-line facts, each with its load ("...") and clear ("-") buttons.
enum class TextField { kDescription, kRequired, kNews, kLicense, kChangeLog, kToDo };
std::string& TextFieldOf(ReadmeProject& record, TextField field);

// A text file's bytes as a multi-line fact: a file that is UTF-8 holding non-ASCII characters, or that
// begins with a UTF-8 byte-order mark (dropped), is converted to Windows-1252 ("?" for a character it
// cannot hold); any other file is taken byte for byte. Every lone CR and lone LF becomes CR LF.
std::string TextFileAsFact(std::string_view bytes);

// Load text file: asks for a file ("Text Files (*.txt)|*.txt") and makes it the field's whole text.
// Raises "Cannot open file "%s". %s", ""%s" is not a regular file" (at once, for anything else) or "Text
// exceeds memo capacity"; the field then keeps its text.
void LoadTextFileCommand(ReadmeProject& record, Dialogs& dialogs, TextField field);

// Clear field: the field becomes empty.
void ClearTextFieldCommand(ReadmeProject& record, TextField field);

// The copyright buttons: each appends its text to the copyright.
enum class CopyrightAddition { kCopyrightSign, kRegisteredSign, kTradeMarkSign, kAllRightsReserved };
void AppendToCopyrightCommand(ReadmeProject& record, CopyrightAddition addition);

// The address handed to the desktop for a field's text, or empty when the text is not a web address: a
// text whose scheme is http, https or ftp (any letter case) as typed, a text with no scheme that begins
// like a host name ("www.example.com") as an http address, nothing for anything else.
std::string WebAddressToOpen(std::string_view field_text);

// Visit address: opens the field's text (Windows-1252) through the shell when it is a web address.
void VisitAddressCommand(const std::string& field_text, Shell& shell);

// Set release date: creation becomes the date in the locale's short format, followed by a space and the
// current time ("hh/mm") when with_time.
void SetReleaseDateCommand(ReadmeProject& record, Clock& clock, const CalendarDate& date, bool with_time);

// The About message (UTF-8, three lines).
std::string AboutText();
void AboutCommand(Dialogs& dialogs);

}  // namespace quillory
