#include "app/desktop_entry.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace quillory {
namespace {

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";
constexpr std::string_view kFileArgument = " %f";
constexpr std::string_view kDefaultGroup = "[Default Applications]";

// The general escape rule of desktop-entry string values: each character and the letter of its escape.
constexpr std::pair<char, char> kStringEscapes[] = {
    {'\\', '\\'}, {'\n', 'n'}, {'\t', 't'}, {'\r', 'r'}, {' ', 's'}};

std::string EscapeString(std::string_view value) {
  std::string out;
  for (char c : value) {
    // A blank is escaped only where it would be lost, at the start of the value.
    auto escape = std::find_if(std::begin(kStringEscapes), std::end(kStringEscapes),
                               [&](auto pair) { return pair.first == c && (c != ' ' || out.empty()); });
    if (escape == std::end(kStringEscapes)) {
      out += c;
    } else {
      out += '\\';
      out += escape->second;
    }
  }
  return out;
}

std::string UnescapeString(std::string_view value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    auto escape = std::end(kStringEscapes);
    if (value[i] == '\\' && i + 1 < value.size()) {
      escape = std::find_if(std::begin(kStringEscapes), std::end(kStringEscapes),
                            [&](auto pair) { return pair.second == value[i + 1]; });
    }
    if (escape == std::end(kStringEscapes)) {
      out += value[i];
    } else {
      out += escape->first;
      ++i;
    }
  }
  return out;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back(text.substr(0, end == std::string_view::npos ? text.size() : end + 1));
    text.remove_prefix(lines.back().size());
  }
  return lines;
}

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

bool IsGroupHeader(std::string_view line) { return WithoutLineEnd(line).starts_with('['); }

bool IsKeyLine(std::string_view line, std::string_view key) {
  line = WithoutLineEnd(line);
  if (!line.starts_with(key)) return false;
  line.remove_prefix(key.size());
  while (line.starts_with(' ')) line.remove_prefix(1);
  return line.starts_with('=');
}

std::string_view ValueOfLine(std::string_view line) {
  line = WithoutLineEnd(line);
  line.remove_prefix(line.find('=') + 1);
  while (line.starts_with(' ')) line.remove_prefix(1);
  return line;
}

// The value of key in group, if present.
std::optional<std::string> GroupValue(std::string_view text, std::string_view group, std::string_view key) {
  bool in_group = false;
  for (std::string_view line : SplitLines(text)) {
    if (IsGroupHeader(line)) {
      in_group = WithoutLineEnd(line) == group;
    } else if (in_group && IsKeyLine(line, key)) {
      return std::string(ValueOfLine(line));
    }
  }
  return std::nullopt;
}

}  // namespace

std::string ExecValueFor(std::string_view program) {
  std::string argument;
  for (char c : program) {
    argument += c;
    if (c == '%') argument += '%';
  }
  if (argument.find_first_of(kReserved) != std::string::npos) {
    std::string quoted = "\"";
    for (char c : argument) {
      if (kEscapedInQuotes.find(c) != std::string_view::npos) quoted += '\\';
      quoted += c;
    }
    argument = quoted + "\"";
  }
  return EscapeString(argument + std::string(kFileArgument));
}

std::optional<std::string> ProgramOfExecValue(std::string_view exec) {
  const std::string value = UnescapeString(exec);
  if (!value.ends_with(kFileArgument)) return std::nullopt;
  std::string_view argument = std::string_view(value).substr(0, value.size() - kFileArgument.size());
  std::string unquoted;
  if (argument.starts_with('"')) {
    if (argument.size() < 2 || !argument.ends_with('"')) return std::nullopt;
    argument = argument.substr(1, argument.size() - 2);
    for (size_t i = 0; i < argument.size(); ++i) {
      if (argument[i] == '\\' && i + 1 < argument.size() &&
          kEscapedInQuotes.find(argument[i + 1]) != std::string_view::npos) {
        ++i;
      } else if (kEscapedInQuotes.find(argument[i]) != std::string_view::npos) {
        return std::nullopt;  // an unescaped quote or special character: not one argument
      }
      unquoted += argument[i];
    }
  } else {
    if (argument.empty() || argument.find_first_of(kReserved) != std::string_view::npos) return std::nullopt;
    unquoted = argument;
  }
  std::string program;
  for (size_t i = 0; i < unquoted.size(); ++i) {
    if (unquoted[i] == '%') {
      if (i + 1 == unquoted.size() || unquoted[i + 1] != '%') return std::nullopt;
      ++i;
    }
    program += unquoted[i];
  }
  return program;
}

std::optional<std::string> DesktopEntryValue(std::string_view entry, std::string_view key) {
  return GroupValue(entry, "[Desktop Entry]", key);
}

std::string WithDefaultApplication(std::string_view list, std::string_view mime_type,
                                   std::string_view desktop_id) {
  const std::string line = std::string(mime_type) + "=" + std::string(desktop_id) + "\n";
  std::string out;
  bool in_group = false, done = false;
  size_t insert_at = std::string::npos;  // after the group's last key line
  for (std::string_view current : SplitLines(list)) {
    if (IsGroupHeader(current)) {
      in_group = !done && WithoutLineEnd(current) == kDefaultGroup;
      out += current;
      if (in_group) insert_at = out.size();
      continue;
    }
    if (in_group && IsKeyLine(current, mime_type)) {
      if (!done) out += line;
      done = true;
      continue;
    }
    if (in_group && !WithoutLineEnd(current).empty()) {
      out += current;
      if (!current.ends_with('\n')) out += '\n';
      insert_at = out.size();
      continue;
    }
    out += current;
  }
  if (done) return out;
  if (insert_at != std::string::npos) return out.insert(insert_at, line);
  if (!out.empty() && !out.ends_with('\n')) out += '\n';
  return out + std::string(kDefaultGroup) + "\n" + line;
}

std::string WithoutDefaultApplication(std::string_view list, std::string_view mime_type) {
  std::string out;
  bool in_group = false;
  for (std::string_view current : SplitLines(list)) {
    if (IsGroupHeader(current)) in_group = WithoutLineEnd(current) == kDefaultGroup;
    if (in_group && IsKeyLine(current, mime_type)) continue;
    out += current;
  }
  return out;
}

std::optional<std::string> DefaultApplication(std::string_view list, std::string_view mime_type) {
  return GroupValue(list, kDefaultGroup, mime_type);
}

}  // namespace quillory
