#include "fields/field_commands.h"

#include <cerrno>
#include <new>

#include "common/error.h"
#include "fields/date_text.h"
#include "text/ascii.h"
#include "text/codepage.h"
#include "text/file_io.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

bool HasNonAscii(std::string_view bytes) {
  for (unsigned char c : bytes) {
    if (c >= 0x80) return true;
  }
  return false;
}

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

std::string& TextFieldOf(ReadmeProject& record, TextField field) {
  switch (field) {
    case TextField::kDescription:
      return record.descript_uses;
    case TextField::kRequired:
      return record.required;
    case TextField::kNews:
      return record.news;
    case TextField::kLicense:
      return record.license;
    case TextField::kChangeLog:
      return record.changelog;
    case TextField::kToDo:
      break;
  }
  return record.todo;
}

std::string TextFileAsFact(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) {
    bytes.remove_prefix(kUtf8Bom.size());
    return ReplaceLineBreaks(Utf8ToCp1252(bytes), kCrLf);
  }
  if (HasNonAscii(bytes) && IsValidUtf8(bytes)) return ReplaceLineBreaks(Utf8ToCp1252(bytes), kCrLf);
  return ReplaceLineBreaks(bytes, kCrLf);
}

void LoadTextFileCommand(ReadmeProject& record, Dialogs& dialogs, TextField field) {
  auto chosen = dialogs.OpenFile(FileDialogRequest{std::string(kTextFilesFilter), 1, {}, {}});
  if (!chosen) return;
  InputSource file = InputSource::Open(chosen->path, Readable::kRegularFileOnly);
  if (file.length() > kMemoCapacity) throw Error("Text exceeds memo capacity");
  std::string bytes;
  try {
    bytes = file.ReadAll(kMemoCapacity);
  } catch (const std::bad_alloc&) {
    throw CannotOpenFile(chosen->path, ENOMEM);
  }
  TextFieldOf(record, field) = TextFileAsFact(bytes);
}

void ClearTextFieldCommand(ReadmeProject& record, TextField field) { TextFieldOf(record, field).clear(); }

void AppendToCopyrightCommand(ReadmeProject& record, CopyrightAddition addition) {
  switch (addition) {
    case CopyrightAddition::kCopyrightSign:
      record.copyright += '\xA9';
      break;
    case CopyrightAddition::kRegisteredSign:
      record.copyright += '\xAE';
      break;
    case CopyrightAddition::kTradeMarkSign:
      record.copyright += '\x99';
      break;
    case CopyrightAddition::kAllRightsReserved:
      record.copyright += " All Rights Reserved";
      break;
  }
}

std::string WebAddressToOpen(std::string_view field_text) {
  const std::string scheme = SchemeOf(field_text);
  if (scheme == "http" || scheme == "https" || scheme == "ftp") return std::string(field_text);
  if (BeginsLikeHostName(field_text)) return std::string("http://").append(field_text);
  return {};
}

void VisitAddressCommand(const std::string& field_text, Shell& shell) {
  if (field_text.empty()) return;
  const std::string address = WebAddressToOpen(Cp1252ToUtf8(field_text));
  if (!address.empty()) shell.OpenUrl(address);
}

void SetReleaseDateCommand(ReadmeProject& record, Clock& clock, const CalendarDate& date, bool with_time) {
  std::string text = ShortDateText(clock, date);
  if (with_time) text.append(" ").append(CurrentTimeText(clock));
  record.creation = Utf8ToCp1252(text);
}

std::string AboutText() {
  return std::string(17, ' ') + std::string(kAppTitle) + "\n\nWritten by the Quillory team. All rights reserved.";
}

void AboutCommand(Dialogs& dialogs) { dialogs.ShowAbout(AboutText()); }

}  // namespace quillory
