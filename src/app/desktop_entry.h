#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillory {

// The Exec value of a desktop entry that starts `program` with one file ("PROGRAM %f"). The program is
// quoted by the Desktop Entry rules when it holds a blank or another reserved character, a "%" is doubled,
// and the whole value is escaped as a desktop-entry string.
std::string ExecValueFor(std::string_view program);

// The program of an Exec value of the form ExecValueFor writes; nothing for any other form.
std::optional<std::string> ProgramOfExecValue(std::string_view exec);

// The value of `key` in the "[Desktop Entry]" group of a desktop entry's text, unescaped no further.
std::optional<std::string> DesktopEntryValue(std::string_view entry, std::string_view key);

// The text of mimeapps.list with `mime_type` set to `desktop_id` under "[Default Applications]" (the
// group is added when missing); every other line stays as it was.
std::string WithDefaultApplication(std::string_view list, std::string_view mime_type,
                                   std::string_view desktop_id);
// The text of mimeapps.list without `mime_type`'s line under "[Default Applications]".
std::string WithoutDefaultApplication(std::string_view list, std::string_view mime_type);
// The desktop id that "[Default Applications]" gives for `mime_type`, if any.
std::optional<std::string> DefaultApplication(std::string_view list, std::string_view mime_type);

}  // namespace quillory
