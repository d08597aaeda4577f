#include "readme/save_as.h"

#include "project/file_commands.h"
#include "project/project_file.h"
#include "readme/html_readme.h"
#include "readme/text_readme.h"
#include "text/codepage.h"
#include "text/text_lines.h"

namespace quillory {

void SaveAsCommand(ReadmeProject& record, WindowState& window, Dialogs& dialogs) {
  if (record.program_name.empty()) {
    dialogs.ShowInformation(std::string(kProgramNameRequired));
    return;
  }
  auto chosen = dialogs.SaveFile(FileDialogRequest{std::string(kSaveAsFilter), 1,
                                                   Cp1252ToUtf8(record.program_name) + " Readme",
                                                   std::string(kSaveAsTitle)});
  if (!chosen) return;
  switch (chosen->filter_index) {
    case 1: {
      record.document_path = ApplyExtension(chosen->path, ".qlx");
      window.title = TitleWithDocument(record.document_path);
      WriteProjectDocument(record, record.document_path);
      break;
    }
    case 2:
      WriteLinesToFile(ApplyExtension(chosen->path, ".txt"), BuildTextReadme(record));
      break;
    case 3:
      WriteLinesToFile(ApplyExtension(chosen->path, ".html"), BuildHtmlReadme(record, HtmlVariant::kExport));
      break;
    default:
      break;  // the dialog offers no other type
  }
}

}  // namespace quillory
