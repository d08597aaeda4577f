#include "cli/cli.h"
#include "common/error.h"
#include "project/project_file.h"
#include "text/codepage.h"
#include "text/file_io.h"
#include "text/text_lines.h"

namespace quillory::cli {
namespace {

const FieldInfo& KnownField(const std::string& key) {
  const FieldInfo* field = FindField(key);
  if (field == nullptr) throw UsageError{"unknown key '" + key + "'"};
  return *field;
}

// A command-line value (UTF-8) as the record holds it (Windows-1252, CR LF line breaks).
std::string RecordValue(const FieldInfo& field, const std::string& utf8) {
  if (!IsValidUtf8(utf8)) throw UsageError{"the value of '" + std::string(field.key) + "' is not UTF-8 text"};
  bool lossless = true;
  const std::string bytes = Utf8ToCp1252(utf8, '?', &lossless);
  if (!lossless) {
    throw UsageError{"the value of '" + std::string(field.key) +
                     "' holds a character Windows-1252 cannot hold"};
  }
  if (!field.multi_line) {
    if (bytes.find_first_of("\r\n") != std::string::npos) {
      throw UsageError{"'" + std::string(field.key) + "' is a one-line value and cannot hold a line break"};
    }
    return bytes;
  }
  return ReplaceLineBreaks(bytes, kCrLf);
}

}  // namespace

int GetCommand(const std::vector<std::string>& args, std::ostream& out) {
  if (args.size() != 2) throw UsageError{"get takes a project document and a key"};
  const FieldInfo& field = KnownField(args[1]);
  const ReadmeProject record = LoadProject(args[0]);
  Emit(out, {}, record.*field.member + "\n");
  return kExitOk;
}

int SetCommand(const std::vector<std::string>& args, std::ostream&) {
  if (args.size() < 2) throw UsageError{"set takes a project document and at least one KEY=VALUE"};
  std::vector<std::pair<const FieldInfo*, std::string>> changes;
  for (size_t i = 1; i < args.size(); ++i) {
    const size_t equals = args[i].find('=');
    if (equals == std::string::npos) throw UsageError{"'" + args[i] + "' is not KEY=VALUE"};
    const FieldInfo& field = KnownField(args[i].substr(0, equals));
    changes.emplace_back(&field, RecordValue(field, args[i].substr(equals + 1)));
  }
  UpdateProjectDocument(args[0], [&](ReadmeProject& record) {
    for (auto& [field, value] : changes) record.*field->member = value;
  });
  return kExitOk;
}

}  // namespace quillory::cli
