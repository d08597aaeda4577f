#include "common/error.h"

#include <cstring>
#include <filesystem>
#include <utility>

namespace quillory {

std::string FormatMessage(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && next != args.end()) {
      out += *next++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string SystemReason(int error_number) {
  std::string reason = std::strerror(error_number);
  while (!reason.empty() && (reason.back() == ' ' || reason.back() == '\r' || reason.back() == '\n' ||
                             reason.back() == '.')) {
    reason.pop_back();
  }
  return reason;
}

namespace {
std::string ExpandedPath(const std::string& path) {
  std::error_code ec;
  auto absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}
}  // namespace

Error CannotOpenFile(const std::string& path, int error_number) {
  return Error(FormatMessage("Cannot open file \"%s\". %s", {ExpandedPath(path), SystemReason(error_number)}));
}

Error CannotCreateFile(const std::string& path, int error_number) {
  return Error(
      FormatMessage("Cannot create file \"%s\". %s", {ExpandedPath(path), SystemReason(error_number)}));
}

Error NotARegularFile(const std::string& path) {
  return Error(FormatMessage("\"%s\" is not a regular file", {ExpandedPath(path)}));
}

Error NotAProjectDocument(const std::string& path) {
  return Error(FormatMessage("\"%s\" is not a Quillory project document", {ExpandedPath(path)}));
}

std::string ByteCountText(std::size_t count) {
  for (const auto& [unit, name] : {std::pair{std::size_t{1} << 30, " GiB"},
                                   {std::size_t{1} << 20, " MiB"},
                                   {std::size_t{1} << 10, " KiB"}}) {
    if (count >= unit && count % unit == 0) return std::to_string(count / unit) + name;
  }
  return std::to_string(count) + " bytes";
}

Error FileTooLarge(const std::string& path, std::size_t limit) {
  return Error(FormatMessage("Cannot open file \"%s\". It is larger than %s",
                             {ExpandedPath(path), ByteCountText(limit)}));
}

Error UnsafeLink(const std::string& path) {
  return Error(
      FormatMessage("Cannot create file \"%s\". It is a link in a shared folder that belongs to another user",
                    {ExpandedPath(path)}));
}

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

}  // namespace quillory
