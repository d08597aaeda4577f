#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/version.h"

namespace quillory {

// A failure of a command. what() is the message exactly as the user is shown it (without the full stop
// the error box may add).
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Replaces each "%s" of pattern, left to right, with the next argument.
std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

// The system's text for an errno value, without trailing blanks, line breaks and full stops.
std::string SystemReason(int error_number);

// "Cannot open file "PATH". REASON" for an errno value.
Error CannotOpenFile(const std::string& path, int error_number);

// "Cannot create file "PATH". REASON" for an errno value.
Error CannotCreateFile(const std::string& path, int error_number);

// ""PATH" is not a regular file": the window reads regular files only.
Error NotARegularFile(const std::string& path);

// ""PATH" is not a Quillory project document": the file is not text.
Error NotAProjectDocument(const std::string& path);

// A count of bytes in the largest unit that divides it: "1 GiB", "3 MiB", "2 KiB", else "3000 bytes".
std::string ByteCountText(std::size_t count);

// "Cannot open file "PATH". It is larger than LIMIT" (LIMIT as ByteCountText gives it).
Error FileTooLarge(const std::string& path, std::size_t limit);

// "Cannot create file "PATH". It is a link in a shared folder that belongs to another user": a link that
// a save does not follow.
Error UnsafeLink(const std::string& path);

// The message text as the error box shows it: a full stop is appended when the last character sorts
// after ".".
std::string ErrorBoxText(std::string_view message);

}  // namespace quillory
