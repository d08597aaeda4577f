#include "app/xdg_association_store.h"

#include <pwd.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "app/application_icon.h"
#include "app/desktop_entry.h"
#include "app/document_icon.h"
#include "app/text_bridge.h"
#include "common/error.h"
#include "commands/startup.h"
#include "text/file_io.h"

namespace quillory {
namespace {

constexpr std::string_view kMimeType = "application/x-quillory";
constexpr std::string_view kDesktopId = "quillory.desktop";
constexpr std::string_view kIconName = "application-x-quillory";
constexpr std::string_view kIconSourceKey = "Quillory-Source";
constexpr int kIconSizes[] = {16, 32, 48};

constexpr std::string_view kMimePackage =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
    "  <mime-type type=\"application/x-quillory\">\n"
    "    <comment>Quillory project</comment>\n"
    "    <sub-class-of type=\"text/plain\"/>\n"
    "    <glob pattern=\"*.qlx\"/>\n"
    "  </mime-type>\n"
    "</mime-info>\n";

std::string FolderFromEnvironment(const char* variable, const char* fallback_below_home) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  std::string home;
  if (const char* env_home = std::getenv("HOME"); env_home != nullptr && env_home[0] != '\0') {
    home = env_home;
  } else if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr) {
    home = entry->pw_dir;
  }
  return home + "/" + fallback_below_home;
}

// The absolute folders of a colon-separated list; `fallback` when the variable is unset or empty.
std::vector<std::string> FolderListFromEnvironment(const char* variable, std::string_view fallback) {
  const char* value = std::getenv(variable);
  std::string_view list = value != nullptr && value[0] != '\0' ? std::string_view(value) : fallback;
  std::vector<std::string> folders;
  while (!list.empty()) {
    const size_t end = std::min(list.find(':'), list.size());
    if (list.starts_with('/')) folders.emplace_back(list.substr(0, end));
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return folders;
}

// The canonical path of `program` as a shell would run it: a name with a slash as it stands, any other
// name from the first folder of `path` where an executable file of that name stands.
std::optional<std::string> FindProgram(const std::string& program, const std::vector<std::string>& path) {
  std::vector<std::string> candidates;
  if (program.find('/') != std::string::npos) {
    candidates.push_back(program);
  } else {
    for (const std::string& folder : path) candidates.push_back(folder + "/" + program);
  }
  for (const std::string& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0) {
      const auto canonical = std::filesystem::canonical(candidate, error);
      if (!error) return canonical.string();
    }
  }
  return std::nullopt;
}

Error Refused(const std::string& key) { return Error(FormatMessage("Failed to set data for '%s'", {key})); }

// Writes a whole file, creating its folders; a refusal raises the store's error for key.
void WriteStoreFile(const std::string& key, const std::string& path, std::string_view bytes) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
  if (error) throw Refused(key);
  try {
    ReplaceFileOrThrow(path, bytes);
  } catch (const Error&) {
    throw Refused(key);
  }
}

std::string ReadIfPresent(const std::string& path) {
  try {
    return ReadFileIfExists(path).value_or(std::string());
  } catch (const Error&) {
    return {};
  }
}

bool Exists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

void RemoveQuietly(const std::string& path) {
  std::error_code error;
  std::filesystem::remove(path, error);
}

// Starts a cache updater of the desktop on folder, when it is installed, and returns at once: the updater
// runs on by itself (the window never waits for it), its outcome and output are ignored.
void RunUpdater(const char* program, const std::string& folder) {
  const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
  if (path.isEmpty() || !Exists(folder)) return;
  QProcess process;
  process.setProgram(path);
  process.setArguments({FromNativePath(folder)});
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.startDetached();
}

}  // namespace

XdgFolders XdgFolders::FromEnvironment() {
  return XdgFolders{FolderFromEnvironment("XDG_DATA_HOME", ".local/share"),
                    FolderFromEnvironment("XDG_CONFIG_HOME", ".config"),
                    FolderListFromEnvironment("XDG_DATA_DIRS", "/usr/local/share/:/usr/share/"),
                    FolderListFromEnvironment("PATH", "")};
}

XdgAssociationStore::XdgAssociationStore(XdgFolders folders) : folders_(std::move(folders)) {}

std::string XdgAssociationStore::MimePackagePath() const {
  return folders_.data_home + "/mime/packages/quillory.xml";
}
std::string XdgAssociationStore::MimeAppsPath() const { return folders_.config_home + "/mimeapps.list"; }
std::string XdgAssociationStore::DesktopEntryPath() const {
  return folders_.data_home + "/applications/" + std::string(kDesktopId);
}
std::string XdgAssociationStore::IconPath(int size) const {
  const std::string dimensions = std::to_string(size) + "x" + std::to_string(size);
  return folders_.data_home + "/icons/hicolor/" + dimensions + "/mimetypes/" + std::string(kIconName) +
         ".png";
}

std::optional<std::string> XdgAssociationStore::InstalledProgram() const {
  for (const std::string& folder : folders_.data_dirs) {
    const std::string entry_path = folder + "/applications/" + kApplicationId + ".desktop";
    if (!Exists(entry_path)) continue;
    // The first entry found hides the others, as in the desktop's own lookup.
    const auto exec = DesktopEntryValue(ReadIfPresent(entry_path), "Exec");
    const auto program = exec ? ProgramOfExecValue(*exec) : std::nullopt;
    return program ? FindProgram(*program, folders_.path) : std::nullopt;
  }
  return std::nullopt;
}

bool XdgAssociationStore::KeyExists(const std::string& key) {
  if (key == kDocumentTypeKey) {
    return Exists(MimePackagePath()) || DefaultApplication(ReadIfPresent(MimeAppsPath()), kMimeType);
  }
  if (key == kProgramKey) return Exists(DesktopEntryPath()) || Exists(IconPath(32));
  if (key == kOpenCommandKey) return Exists(DesktopEntryPath()) || InstalledProgram().has_value();
  if (key == kDocumentIconKey) return Exists(IconPath(32));
  return false;
}

std::optional<std::string> XdgAssociationStore::ReadDefault(const std::string& key) {
  if (key == kDocumentTypeKey) {
    if (!Exists(MimePackagePath())) return std::nullopt;
    auto id = DefaultApplication(ReadIfPresent(MimeAppsPath()), kMimeType);
    if (!id) return std::nullopt;
    id->erase(std::min(id->find(';'), id->size()));
    return *id == kDesktopId ? std::string(kDocumentTypeValue) : *id;
  }
  if (key == kOpenCommandKey) {
    if (!Exists(DesktopEntryPath())) {
      const auto installed = InstalledProgram();
      return installed ? std::optional(OpenCommandFor(*installed)) : std::nullopt;
    }
    const auto exec = DesktopEntryValue(ReadIfPresent(DesktopEntryPath()), "Exec");
    if (!exec) return std::nullopt;
    const auto program = ProgramOfExecValue(*exec);
    return program ? OpenCommandFor(*program) : *exec;
  }
  if (key == kDocumentIconKey) {
    const QImage icon(FromNativePath(IconPath(32)));
    if (icon.isNull()) return std::nullopt;
    return ToUtf8(icon.text(FromUtf8(kIconSourceKey)));
  }
  return std::nullopt;
}

void XdgAssociationStore::WriteDefault(const std::string& key, const std::string& value) {
  if (key == kDocumentTypeKey) return WriteDocumentType(key, value);
  if (key == kOpenCommandKey) return WriteOpenCommand(key, value);
  if (key == kDocumentIconKey) return WriteIcon(key, value);
  throw Refused(key);
}

void XdgAssociationStore::DeleteKeyTree(const std::string& key) {
  if (key == kDocumentTypeKey) RemoveDocumentType();
  if (key == kProgramKey) RemoveProgram(true, true);
  if (key == kOpenCommandKey) RemoveProgram(true, false);
  if (key == kDocumentIconKey) RemoveProgram(false, true);
}

void XdgAssociationStore::WriteDocumentType(const std::string& key, const std::string& value) {
  std::string desktop_id = value;
  for (char& c : desktop_id) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  desktop_id += ".desktop";
  WriteStoreFile(key, MimePackagePath(), kMimePackage);
  const std::string list = ReadIfPresent(MimeAppsPath());
  const std::string updated = WithDefaultApplication(list, kMimeType, desktop_id);
  if (updated != list) WriteStoreFile(key, MimeAppsPath(), updated);
  RunUpdater("update-mime-database", folders_.data_home + "/mime");
}

void XdgAssociationStore::WriteOpenCommand(const std::string& key, const std::string& value) {
  const std::string_view suffix = " %1";
  std::string_view program = value;
  if (program.ends_with(suffix)) program.remove_suffix(suffix.size());
  const std::string entry =
      "[Desktop Entry]\nType=Application\nName=Quillory\n"
      "Comment=Describe a software release and write its README, XHTML page and NFO\n"
      "Exec=" +
      ExecValueFor(program) + "\nIcon=" + std::string(kIconName) + "\nMimeType=" + std::string(kMimeType) +
      ";\nNoDisplay=true\nTerminal=false\n";
  WriteStoreFile(key, DesktopEntryPath(), entry);
  RunUpdater("update-desktop-database", folders_.data_home + "/applications");
}

void XdgAssociationStore::WriteIcon(const std::string& key, const std::string& value) {
  for (int size : kIconSizes) {
    QImage icon = DocumentIcon(size);
    icon.setText(FromUtf8(kIconSourceKey), FromUtf8(value));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!icon.save(&buffer, "PNG")) throw Refused(key);
    WriteStoreFile(key, IconPath(size), std::string_view(png.constData(), static_cast<size_t>(png.size())));
  }
}

void XdgAssociationStore::RemoveDocumentType() {
  RemoveQuietly(MimePackagePath());
  const std::string list = ReadIfPresent(MimeAppsPath());
  const std::string updated = WithoutDefaultApplication(list, kMimeType);
  if (updated != list) {
    try {
      ReplaceFileOrThrow(MimeAppsPath(), updated);
    } catch (const Error&) {
      // A refused deletion is not reported.
    }
  }
  RunUpdater("update-mime-database", folders_.data_home + "/mime");
}

void XdgAssociationStore::RemoveProgram(bool entry, bool icon) {
  if (entry) RemoveQuietly(DesktopEntryPath());
  if (icon) {
    for (int size : kIconSizes) RemoveQuietly(IconPath(size));
  }
  if (entry) RunUpdater("update-desktop-database", folders_.data_home + "/applications");
}

}  // namespace quillory
