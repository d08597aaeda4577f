#pragma once

#include <string>
#include <string_view>

#include "text/lost_characters.h"

namespace quillory {

// Appends UTF-8 text to out as the CP437 bytes an NFO writes for it:
// - a Windows-1252 character as Cp1252ToCp437 has it (its CP437 byte, a fallback such as "(C)" or "EUR",
//   or "?"), whatever document it comes from;
// - another character CP437 has as its byte (never one of the control range);
// - anything else by its ASCII transliteration (text/transliteration.h), runs of such characters taken
//   together so that each is read in its context; a character with no Latin form as "?".
// Every character written as "?" is noted in lost, when given. A malformed sequence counts as U+FFFD.
void AppendNfoText(std::string& out, std::string_view utf8, LostCharacters* lost = nullptr);

// AppendNfoText into a new string.
std::string NfoText(std::string_view utf8, LostCharacters* lost = nullptr);

}  // namespace quillory
