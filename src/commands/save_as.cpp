#include "commands/save_as.h"

#include <vector>

#include "commands/file_commands.h"
#include "project/project_file.h"
#include "render/render.h"
#include "text/file_io.h"

namespace quillory {
namespace {

// The formats Save As exports, in the order its type list offers them after the project document.
std::vector<const FormatInfo*> ExportFormats() {
  std::vector<const FormatInfo*> formats;
  for (const FormatInfo& info : Formats()) {
    if (!info.save_as_type.empty()) formats.push_back(&info);
  }
  return formats;
}

}  // namespace

std::string SaveAsFilter() {
  std::string filter(kProjectFilter);
  for (const FormatInfo* info : ExportFormats()) {
    filter.append("|").append(info->save_as_type).append("|*").append(info->extension);
  }
  return filter;
}

std::string SaveAsTitle() {
  std::string title = "Save As *.qlx or Export ";
  const char* separator = "";
  for (const FormatInfo* info : ExportFormats()) {
    title.append(separator).append("*").append(info->extension);
    separator = ", ";
  }
  return title;
}

bool SaveAsCommand(ReadmeProject& record, WindowState&, Dialogs& dialogs) {
  if (!ConfirmProgramName(record, dialogs)) return false;
  auto chosen =
      dialogs.SaveFile(FileDialogRequest{SaveAsFilter(), 1, record.program_name + " Readme", SaveAsTitle()});
  if (!chosen) return false;
  if (chosen->filter_index == 1) {
    RequireStorableTexts(record);
    const std::string path = ApplyExtension(chosen->path, ".qlx");
    record.encoding = WriteChosenDocument(record, path);
    record.document_path = path;
    return true;
  }
  const std::vector<const FormatInfo*> formats = ExportFormats();
  const size_t index = static_cast<size_t>(chosen->filter_index) - 2;
  if (chosen->filter_index < 2 || index >= formats.size()) return false;  // the dialog offers no other type
  const FormatInfo& format = *formats[index];
  ReplaceFileOrThrow(ApplyExtension(chosen->path, format.extension),
                     RenderDocument(record, format.format).bytes);
  return false;
}

}  // namespace quillory
