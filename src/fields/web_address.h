#pragma once

#include <string>
#include <string_view>

namespace quillory {

// The address handed to the desktop for a field's text (UTF-8), or empty when the text is not a web
// address: a text whose scheme is http, https or ftp (any letter case) as typed, a text with no scheme that
// begins like a host name ("www.example.com") as an http address, nothing for anything else.
std::string WebAddressToOpen(std::string_view field_text);

}  // namespace quillory
