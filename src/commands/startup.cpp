#include "commands/startup.h"

#include <optional>

#include "commands/file_commands.h"
#include "common/error.h"
#include "project/project_file.h"
#include "text/codepage.h"

namespace quillory {
namespace {

// Bytes as UTF-8 text for a message: each byte of a malformed sequence becomes U+FFFD.
std::string Displayable(std::string_view bytes) {
  std::string out;
  for (size_t pos = 0; pos < bytes.size();) {
    const size_t start = pos;
    if (NextUtf8(bytes, pos)) {
      out.append(bytes.substr(start, pos - start));
    } else {
      AppendUtf8(out, U'\uFFFD');
    }
  }
  return out;
}

}  // namespace

std::string OpenCommandFor(std::string_view exe_path) { return std::string(exe_path) + " %1"; }

std::string DocumentIconFor(std::string_view exe_path) { return std::string(exe_path) + ",1"; }

bool UpdateFileAssociation(AssociationStore& store, const std::string& exe_path) {
  // A desktop entry, like the registry, holds text: a path of other bytes would name no program.
  if (exe_path.empty())
    throw Error("The program's path is unknown, so .qlx files cannot be associated with it");
  if (!IsValidUtf8(exe_path)) {
    throw Error(FormatMessage(
        "The program's path \"%s\" is not UTF-8 text, so .qlx files cannot be associated with it",
        {Displayable(exe_path)}));
  }
  const std::string command_key(kOpenCommandKey);
  const std::string expected = OpenCommandFor(exe_path);
  std::string registered;
  if (store.KeyExists(command_key)) registered = store.ReadDefault(command_key).value_or(std::string());
  if (registered == expected) return false;
  store.WriteDefault(std::string(kDocumentTypeKey), std::string(kDocumentTypeValue));
  store.WriteDefault(command_key, expected);
  store.WriteDefault(std::string(kDocumentIconKey), DocumentIconFor(exe_path));
  return true;
}

AssociationRemoval RemoveFileAssociation(AssociationStore& store) {
  // The open command is read where the store sees it; an installed package's is there for every user.
  auto registered = [&store] {
    for (std::string_view key : {kProgramKey, kOpenCommandKey, kDocumentTypeKey}) {
      if (store.KeyExists(std::string(key))) return true;
    }
    return false;
  };
  if (!registered()) return AssociationRemoval::kNotRegistered;
  for (std::string_view key : {kProgramKey, kDocumentTypeKey}) {
    if (store.KeyExists(std::string(key))) store.DeleteKeyTree(std::string(key));
  }
  return registered() ? AssociationRemoval::kKept : AssociationRemoval::kRemoved;
}

std::string AssociationRemovalMessage(AssociationRemoval outcome) {
  switch (outcome) {
    case AssociationRemoval::kRemoved:
      return "The .qlx association was removed. Quillory registers it again when it next starts.";
    case AssociationRemoval::kNotRegistered:
      return "No .qlx association was registered.";
    case AssociationRemoval::kKept:
      return "The installed package provides the association.";
  }
  return {};
}

void RemoveFileAssociationCommand(AssociationStore& store, Dialogs& dialogs) {
  dialogs.ShowInformation(AssociationRemovalMessage(RemoveFileAssociation(store)));
}

void RunStartupStep(ReadmeProject& record, WindowState& window, AssociationStore& store,
                    const StartupEnvironment& environment, const std::function<void()>& set_tooltip_colour) {
  if (set_tooltip_colour) set_tooltip_colour();
  std::optional<Error> association_failure;
  try {
    UpdateFileAssociation(store, environment.exe_path);
  } catch (const Error& error) {
    association_failure = error;
  }
  RestoreHtmlDefaults(record, window);
  if (!environment.arguments.empty() && !environment.arguments.front().empty()) {
    const std::string& path = environment.arguments.front();
    try {
      AdoptDocument(record, window, path, ReadExistingDocument(path));
    } catch (const Error& document_failure) {
      if (!association_failure) throw;
      throw Error(ErrorBoxText(document_failure.what()) + "\n" + association_failure->what());
    }
  }
  if (association_failure) throw *association_failure;
}

}  // namespace quillory
