#include "project/project_file.h"

#include <algorithm>

#include "common/error.h"
#include "project/ini_file.h"
#include "text/file_io.h"
#include "text/text_lines.h"

namespace quillory {
namespace {

constexpr std::string_view kHtmlSection = "html";
constexpr std::string_view kReadmeSection = "readme";
// A 0xA4 byte stands for a line break in stored multi-line values.
constexpr char kStoredLineBreak = '\xA4';

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A multi-line value as stored: each CR LF (and any lone CR or LF) becomes 0xA4. A value that the reader
// would otherwise change (surrounding blanks, or wholly enclosed in a pair of quotes) is stored inside
// double quotes, which the reader removes again; an indented licence heading keeps its indentation.
std::string StoredMultiLineValue(std::string_view text) {
  std::string out = ReplaceLineBreaks(text, std::string_view(&kStoredLineBreak, 1));
  const bool padded = !out.empty() && (IsBlank(out.front()) || IsBlank(out.back()));
  const bool quoted =
      out.size() >= 2 && (out.front() == '"' || out.front() == '\'') && out.back() == out.front();
  if (padded || quoted) {
    out.insert(out.begin(), '"');
    out.push_back('"');
  }
  return out;
}

// A one-line value as stored. It cannot hold a line break; one that somehow does is never allowed to
// start a line of its own.
std::string StoredOneLineValue(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

// Facts added after the first documents were written: stored only when filled or already in the
// document, so that a document which does not use them keeps its bytes.
bool StoredOnlyWhenUsed(const FieldInfo& field) { return field.member == &ReadmeProject::sha256; }

std::string RestoredMultiLineValue(std::string_view stored) {
  std::string out;
  out.reserve(stored.size() +
              static_cast<size_t>(std::count(stored.begin(), stored.end(), kStoredLineBreak)));
  while (!stored.empty()) {
    const size_t brk = stored.find(kStoredLineBreak);
    out.append(stored.substr(0, brk));
    if (brk == std::string_view::npos) break;
    out += "\r\n";
    stored.remove_prefix(brk + 1);
  }
  return out;
}

}  // namespace

std::string ApplyExtension(std::string_view chosen, std::string_view extension) {
  std::string path(chosen);
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
  path += extension;
  return path;
}

std::string ProjectDocumentBytes(const ReadmeProject& record, std::string existing) {
  IniDocument document{std::move(existing)};
  for (const auto& field : HtmlSettingFields()) {
    document.Write(kHtmlSection, field.key, StoredOneLineValue(record.*field.member));
  }
  for (const auto& field : FactFields()) {
    const std::string& value = record.*field.member;
    if (value.empty() && StoredOnlyWhenUsed(field) && !document.Read(kReadmeSection, field.key)) continue;
    document.Write(kReadmeSection, field.key,
                   field.multi_line ? StoredMultiLineValue(value) : StoredOneLineValue(value));
  }
  return document.Serialize();
}

void WriteProjectDocument(const ReadmeProject& record, const std::string& path) {
  const Error failure(FormatMessage("Unable to write to %s", {path}));
  std::optional<std::string> existing;
  try {
    existing = ReadFileIfExists(path);
  } catch (const Error&) {
    throw failure;
  }
  WriteProjectDocument(record, path, std::move(existing).value_or(std::string()));
}

void WriteProjectDocument(const ReadmeProject& record, const std::string& path, std::string existing) {
  if (TryReplaceFile(path, ProjectDocumentBytes(record, std::move(existing)))) {
    throw Error(FormatMessage("Unable to write to %s", {path}));
  }
}

void ReadProjectDocumentBytes(ReadmeProject& record, std::string bytes) {
  const IniDocument document{std::move(bytes)};
  for (const auto& field : HtmlSettingFields()) {
    if (auto value = document.Read(kHtmlSection, field.key)) record.*field.member = std::move(*value);
  }
  for (const auto& field : FactFields()) {
    auto value = document.ReadView(kReadmeSection, field.key);
    if (!value) continue;
    record.*field.member = field.multi_line ? RestoredMultiLineValue(*value) : std::string(*value);
  }
}

void ReadProjectDocument(ReadmeProject& record, const std::string& path) {
  auto bytes = ReadFileIfExists(path);
  ReadProjectDocumentBytes(record, std::move(bytes).value_or(std::string()));
}

ReadmeProject ProjectFromBytes(std::string bytes) {
  ReadmeProject record;
  SetHtmlDefaults(record);
  ReadProjectDocumentBytes(record, std::move(bytes));
  return record;
}

}  // namespace quillory
