#include "fields/web_address.h"

#include "text/ascii.h"

namespace quillory {
namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The scheme of an address ("http" of "http://x"), or empty when the text has none.
std::string SchemeOf(std::string_view text) {
  if (text.empty() || !IsAsciiLetter(text.front())) return {};
  for (size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ':') return AsciiLower(text.substr(0, i));
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return {};
  }
  return {};
}

// Whether the text starts with a host name of at least two labels ("www.example.com"), followed by its
// end, a port, a path, a query or a fragment.
bool BeginsLikeHostName(std::string_view text) {
  size_t i = 0;
  const auto port_follows = [&](size_t colon) {
    return colon + 1 < text.size() && IsAsciiDigit(text[colon + 1]);
  };
  int labels = 0;
  for (;;) {
    const size_t start = i;
    while (i < text.size() && (IsAsciiLetter(text[i]) || IsAsciiDigit(text[i]) || text[i] == '-')) ++i;
    if (i == start || text[start] == '-' || text[i - 1] == '-') return false;
    ++labels;
    if (i < text.size() && text[i] == '.') {
      ++i;
      continue;
    }
    break;
  }
  if (labels < 2) return false;
  if (i == text.size()) return true;
  // A colon after the host name starts a port ("example.org:8080"), never a scheme ("app.name:x").
  if (text[i] == ':') return port_follows(i);
  return std::string_view("/?#").find(text[i]) != std::string_view::npos;
}

}  // namespace

std::string WebAddressToOpen(std::string_view field_text) {
  const std::string scheme = SchemeOf(field_text);
  if (scheme == "http" || scheme == "https" || scheme == "ftp") return std::string(field_text);
  if (BeginsLikeHostName(field_text)) return std::string("http://").append(field_text);
  return {};
}

}  // namespace quillory
